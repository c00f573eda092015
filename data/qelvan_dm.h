#pragma once
// The data module: the plug-in's two queries and the data source that feeds
// the summary grid, plus the host's parameter block.

#include "db/Query.h"

#include <QObject>
#include <QStringList>

class Tdm : public QObject {
    Q_OBJECT
public:
    /// Creates the components closed, with the summary query's persistent
    /// fields declared in the summary row's order.
    explicit Tdm(QObject* owner = nullptr);
    ~Tdm() override;

    /// The current sales summary; its fields bind by column name on opening.
    qelvan::db::Query* qry_xstgjfp1;
    /// Scratch query for company lookups; fields come from each result.
    qelvan::db::Query* qry_temp;
    /// Feeds qry_xstgjfp1 to the summary grid.
    qelvan::db::DataSource* ds_xstgjfp1;
};

/// The data module while a showdll call runs; null otherwise.
extern Tdm* dm;

/// The host's twelve parameters of the latest call that got as far as
/// copying them; kept between calls, released when the library unloads.
extern QStringList dll_params;
