#pragma once
// The summary grid of the window: the seven declared columns over the data
// source of the summary query, with the footer sums.

#include <QTableView>

namespace qelvan::db {
class DataSource;
}

namespace qelvan::ui {

class SummaryGrid : public QTableView {
    Q_OBJECT
public:
    explicit SummaryGrid(QWidget* parent = nullptr);
    ~SummaryGrid() override;

    void setDataSource(db::DataSource* source);
    /// The footer text of the column with this component name, as displayed.
    QString footerText(const QString& columnName) const;

private:
    struct Impl;
    Impl* d;
};

} // namespace qelvan::ui
