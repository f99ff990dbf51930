#pragma once

#include "forecast/FixedNumbers.h"
#include "forecast/ForecastBoard.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;

namespace numora {

// The 9 x 10 number board of the forecast window. It paints the forecast's chosen numbers and
// reports the pointer to its window; it changes nothing itself.
class ForecastBoardWidget : public QWidget {
    Q_OBJECT
public:
    // Paints the chosen numbers of forecast, which outlives the board.
    ForecastBoardWidget(QWidget* parent, const Forecast* forecast);

    // The two pictures of the whole board: every number plain, every number marked.
    const QPixmap& plainPicture() const { return plain_; }
    const QPixmap& markedPicture() const { return marked_; }

    void repaintCell(BoardCell cell);

    std::function<void(QMouseEvent*)> onPress;
    std::function<void(QMouseEvent*)> onMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap plain_;
    QPixmap marked_;
    const Forecast* forecast_;
};

// The forecast window: the board of the chosen numbers and the nine fixed-number boxes. It is
// created once at start-up and lives until exit; closing it only hides it.
class TPronostico : public QWidget {
    Q_OBJECT
public:
    explicit TPronostico(QWidget* parent = nullptr);
    ~TPronostico() override;

    static TPronostico* instance();

    // 0 when the nine boxes hold valid fixed numbers (now stored in the forecast); otherwise
    // the position of the first problem, and the stored fixed numbers are kept.
    int PrendiFisse();
    // Writes the stored fixed numbers into the boxes.
    void MettiFisse();
    // After the forecast was changed elsewhere (a system loaded, numbers added by a command).
    void RefreshForecast();
    int chosenCount() const;

    // Called with the number under the pointer on every move over the board.
    void setHoverListener(std::function<void(int)> listener) { hover_ = std::move(listener); }

    // The commands "Aggiungi numero casualmente" and "Elimina numero casualmente".
    void AddRandomNumber();
    void RemoveRandomNumber();

    ForecastBoardWidget* Image1;
    QLabel* Label1; // "Fisse:"
    QLineEdit* Edit23;
    QLineEdit* Edit24;
    QLineEdit* Edit25;
    QLineEdit* Edit26;
    QLineEdit* Edit27;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit1;
    QLineEdit* Edit2;

    void Image1MouseDown(QMouseEvent* event);
    void Image1MouseMove(QMouseEvent* event);
    void Edit23Change(QLineEdit* box);
    void Edit23Exit(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The boxes in entry order.
    std::array<QLineEdit*, 9> boxes() const {
        return {Edit23, Edit24, Edit25, Edit26, Edit27, Edit3, Edit4, Edit1, Edit2};
    }
    void showCaption();
    void showInvalidValue();

    std::function<void(int)> hover_;
    BoardPointer pointer_;
    bool filling_ = false;
};

} // namespace numora
