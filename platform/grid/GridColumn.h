#pragma once
// One typed column of a data grid: what it shows (field, kind, display
// format), how it looks (caption, declared width, alignment) and what its
// footer cell sums. Columns are QObjects so a window can name them and find
// them by name.

#include <QObject>
#include <QString>

namespace qelvan::grid {

enum class ColumnKind {
    Text,     ///< the field's text as it is
    Currency, ///< a number; without a format, the process's currency pattern
    Plain,    ///< a number in its format, or in the general form without one
};

enum class Summary { None, Sum };

/// Everything a column is declared with; the window keeps a table of these.
struct ColumnSpec {
    QString objectName;
    ColumnKind kind = ColumnKind::Text;
    QString caption;
    QString fieldName;
    int width = 64;
    Qt::Alignment alignment = Qt::AlignLeft;
    QString displayFormat; ///< empty: none (currency columns: the locale default)
    Summary summary = Summary::None;
    QString footerFormat = QStringLiteral("0.00;-0.00");
};

class GridColumn : public QObject {
    Q_OBJECT
public:
    explicit GridColumn(const ColumnSpec& spec, QObject* parent = nullptr);

    ColumnKind kind() const { return m_spec.kind; }
    QString caption() const { return m_spec.caption; }
    QString fieldName() const { return m_spec.fieldName; }
    /// Declared width: the column's share when the grid stretches columns.
    int width() const { return m_spec.width; }
    Qt::Alignment alignment() const { return m_spec.alignment; }
    QString displayFormat() const { return m_spec.displayFormat; }
    Summary summary() const { return m_spec.summary; }
    QString footerFormat() const { return m_spec.footerFormat; }

    /// The pattern numbers are shown in; empty for the general form.
    QString effectiveDisplayFormat() const;

    void setCaption(const QString& caption);
    void setWidth(int width);
    void setAlignment(Qt::Alignment alignment);
    void setDisplayFormat(const QString& format);
    void setSummary(Summary summary);
    void setFooterFormat(const QString& format);

signals:
    /// Looks or formats changed; the rows to show stay the same.
    void changed();
    /// What the footer sums changed.
    void summaryChanged();

private:
    ColumnSpec m_spec;
};

} // namespace qelvan::grid
