#pragma once

#include <QWidget>

class QLabel;
class QScrollBar;
class QTableWidget;

namespace numora {

// The archive viewer: one draw at a time, chosen with the scroll bar (1..N). Long-lived.
// With an empty archive it shows the wheel names alone and its scroll bar is disabled.
class Tdb : public QWidget {
    Q_OBJECT
public:
    explicit Tdb(QWidget* parent = nullptr);
    ~Tdb() override;

    static Tdb* instance();

    QLabel* Data;     // "Data:" + day/month/year
    QLabel* Concorso; // "Nº Concorso:" + index
    QTableWidget* sg; // 11 wheels x (name + 5 numbers)
    QScrollBar* ScrollBar1;

    // The scroll bar's maximum and position become N; draw N is shown.
    void RefreshViewerToLast();
    // The maximum becomes N and the position `index`, lowered to N when above; that draw is shown.
    void RefreshViewerAt(int index);
    // The index of the draw shown, 0 when the archive is empty.
    int shownIndex() const;

    void ScrollBar1Change(int position);

private:
    void showDraw(int index);
};

} // namespace numora
