#pragma once
// The summary row under a grid's rows: one cell per column, lined up with
// the header's sections, showing the model's footer texts.

#include <QWidget>

class QTableView;

namespace qelvan::grid {

class GridModel;

class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(QTableView* view, GridModel* model, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* m_view;
    GridModel* m_model;
};

} // namespace qelvan::grid
