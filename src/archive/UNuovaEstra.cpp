#include "archive/UNuovaEstra.h"

#include "archive/UArchiveCommands.h"
#include "archive/UArchiveGrid.h"
#include "archive/Udb.h"
#include "components/UFieldFilters.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/Globali.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

// A cell typed into straight after it got the focus is replaced by the digit, as in a spreadsheet;
// once the user moves the cursor inside it, or has typed, keys edit the number as in any field.
class ReplaceOnType : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Events still come while a cell is being destroyed, when it is no longer a QLineEdit.
        auto* cell = qobject_cast<QLineEdit*>(watched);
        if (!cell) return false;
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress: // a click on the cell being typed in chooses it again
            fresh_ = cell;
            break;
        case QEvent::MouseButtonDblClick:
            fresh_ = nullptr;
            break;
        case QEvent::KeyPress: {
            if (fresh_ != cell) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            if (!text.isEmpty() && text.at(0).isDigit()) {
                cell->clear();
                fresh_ = nullptr;
            } else if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
                fresh_ = nullptr;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    QObject* fresh_ = nullptr;
};

} // namespace

TNuovaEstra::TNuovaEstra(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TNuovaEstra"_s);
    setWindowTitle(u"Inserimento nuova estrazione"_s);

    Label1 = new QLabel(u"Estrazione del:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setFixedWidth(Edit1->fontMetrics().horizontalAdvance(u"00/00/00000"_s) + 12);
    SetHint(Edit1, u"Inserire la data dell'estrazione nel formato gg/mm/aaaa"_s);
    Label1->setBuddy(Edit1);

    sg = new QTableWidget(WheelCount, 6, this);
    sg->setObjectName(u"sg"_s);
    // Room for three characters (the two digits and the caret) between the cell's margins.
    const int cellWidth = sg->fontMetrics().horizontalAdvance(u"000"_s) + 12;
    const int widths[6] = {80, cellWidth, cellWidth, cellWidth, cellWidth, cellWidth};
    SetUpArchiveGrid(sg, widths);
    auto* replaceOnType = new ReplaceOnType(this);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setFocusPolicy(Qt::NoFocus);
    for (int w = 1; w <= WheelCount; ++w) {
        auto* name = new QTableWidgetItem(u" "_s + WheelText(w));
        name->setFlags(Qt::ItemIsEnabled);
        name->setBackground(palette().window());
        sg->setItem(w - 1, 0, name);
        for (int k = 0; k < NumbersPerWheel; ++k) {
            auto* e = new QLineEdit(sg);
            e->setObjectName(u"cella%1_%2"_s.arg(w).arg(k + 1));
            e->setFrame(false);
            e->setAlignment(Qt::AlignCenter);
            e->setTextMargins(0, 0, 0, 0);
            ApplyNumberFilter(e);
            e->installEventFilter(replaceOnType);
            sg->setCellWidget(w - 1, k + 1, e);
            cells_[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(k)] = e;
        }
    }

    Applica = new QPushButton(u"Applica"_s, this);
    Applica->setObjectName(u"Applica"_s);
    SetHint(Applica, u" Inserisce l'estrazione nell'archivio storico "_s);
    Annulla = new QPushButton(u"Annulla"_s, this);
    Annulla->setObjectName(u"Annulla"_s);
    SetHint(Annulla, u" Chiude la scheda "_s);
    // Enter belongs to the field being typed in; only a click (or Space) applies.
    Applica->setAutoDefault(false);
    Annulla->setAutoDefault(false);
    connect(Applica, &QPushButton::clicked, this, &TNuovaEstra::ApplicaClick);
    connect(Annulla, &QPushButton::clicked, this, &TNuovaEstra::AnnullaClick);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(Label1);
    dateRow->addWidget(Edit1);
    dateRow->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Applica);
    buttons->addWidget(Annulla);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(dateRow);
    layout->addWidget(sg);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Edit1->setFocus();
}

QLineEdit* TNuovaEstra::cell(int wheel, int pos) const {
    if (wheel < 1 || wheel > WheelCount || pos < 0 || pos >= NumbersPerWheel) return nullptr;
    return cells_[static_cast<std::size_t>(wheel - 1)][static_cast<std::size_t>(pos)];
}

DrawEntryText TNuovaEstra::entryText() const {
    DrawEntryText t;
    t.date = Edit1->text().toStdString();
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) t.cell(w, k) = cell(w, k)->text().toStdString();
    return t;
}

void TNuovaEstra::setEntryText(const DrawEntryText& text) {
    Edit1->setText(QString::fromStdString(text.date));
    for (int w = 1; w <= WheelCount; ++w)
        for (int k = 0; k < NumbersPerWheel; ++k) cell(w, k)->setText(QString::fromStdString(text.cell(w, k)));
}

void TNuovaEstra::ApplicaClick() {
    const DrawEntryResult r = BuildDrawRecord(entryText());
    if (!r.ok) {
        MessageBox::error(this, QString::fromStdString(r.message), u"Attenzione"_s);
        QLineEdit* culprit = r.fault == DrawEntryFault::Date ? Edit1 : cell(r.wheel, r.position);
        if (culprit) {
            culprit->setFocus();
            culprit->selectAll();
        }
        return;
    }
    if (store(r.record)) accept();
}

void TNuovaEstra::AnnullaClick() {
    reject();
}

bool TNuovaEstra::store(const DrawRecord& record) {
    Globali& g = Globals();
    try {
        stored_ = g.insertDraw(record);
    } catch (const ArchiveError& e) {
        MessageBox::error(this, std::string(e.what()), u"Errore"_s);
        Edit1->setFocus();
        return false;
    }
    // A refused save has put the archive back as the file holds it; the window stays open
    // with the user's texts.
    if (!SaveArchiveOrSayWhy(this)) {
        stored_ = 0;
        return false;
    }
    // The viewer goes to the most recent draw, which is not always the one just entered.
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerToLast();
    return true;
}

} // namespace numora
