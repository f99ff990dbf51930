#pragma once

#include <QWidget>

class QLabel;
class QScrollBar;
class QTableWidget;

namespace numora {

class DrawArchive;

// The archive viewer: one draw at a time, chosen with the scroll bar (1..N). Long-lived.
// With an empty archive it shows the wheel names alone and its scroll bar is disabled.
// It shows the archive it is given (the shared one by default), read at every refresh.
class Tdb : public QWidget {
    Q_OBJECT
public:
    explicit Tdb(QWidget* parent = nullptr, const DrawArchive* archive = nullptr);
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

    const DrawArchive* archive_;
};

} // namespace numora
