#include "smorfia/UModSmorfia.h"

#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/FileLock.h"
#include "core/Globali.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"
#include "smorfia/SmorfiaTable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

Tmodsmorfia::Tmodsmorfia(QWidget* parent) : QDialog(parent) {
    setObjectName(u"Tmodsmorfia"_s);
    setWindowTitle(u"Personalizzazione della smorfia"_s);

    smo = new QTableWidget(0, 2, this);
    smo->setObjectName(u"smo"_s);
    smo->setHorizontalHeaderLabels({u"Numero"_s, u"Descrizione"_s});
    smo->setColumnWidth(0, 46);
    smo->setColumnWidth(1, 322);
    smo->horizontalHeader()->setStretchLastSection(true);
    smo->verticalHeader()->hide();
    smo->setSelectionMode(QAbstractItemView::ContiguousSelection);
    smo->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
    smo->verticalHeader()->setDefaultSectionSize(smo->fontMetrics().height() + 6);
    connect(smo, &QTableWidget::cellClicked, this, &Tmodsmorfia::smoClick);
    connect(smo, &QTableWidget::cellChanged, this, &Tmodsmorfia::smoClick);

    SpeedButton1 = new QPushButton(u"Elimina"_s, this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SetHint(SpeedButton1, u" Elimina le righe selezionate "_s);
    SpeedButton2 = new QPushButton(u"Applica"_s, this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    SetHint(SpeedButton2, u" Applica le modifiche e chiude la scheda "_s);
    spb8 = new QPushButton(u"Annulla"_s, this);
    spb8->setObjectName(u"spb8"_s);
    SetHint(spb8, u" Chiude e non applica le modifiche "_s);
    for (QPushButton* b : {SpeedButton1, SpeedButton2, spb8}) b->setAutoDefault(false);
    connect(SpeedButton1, &QPushButton::clicked, this, &Tmodsmorfia::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Tmodsmorfia::SpeedButton2Click);
    connect(spb8, &QPushButton::clicked, this, &Tmodsmorfia::spb8Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton1);
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton2);
    buttons->addWidget(spb8);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(smo, 1);
    layout->addLayout(buttons);
    resize(420, 480);

    FormCreate();
}

QString Tmodsmorfia::cell(int row, int column) const {
    const QTableWidgetItem* item = smo->item(row, column);
    return item ? item->text() : QString();
}

void Tmodsmorfia::setCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = smo->item(row, column))
        item->setText(text);
    else
        smo->setItem(row, column, new QTableWidgetItem(text));
}

void Tmodsmorfia::FormCreate() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QSignalBlocker block(smo);
    bool unreadable = false;
    const std::vector<SmorfiaEntry> entries = ReadSmorfia(Globals().path(SmorfiaFileName), &unreadable);
    smo->setRowCount(static_cast<int>(entries.size()) + 1);
    for (std::size_t r = 0; r < entries.size(); ++r) {
        const int row = static_cast<int>(r);
        setCell(row, 0, QString::number(entries[r].number));
        setCell(row, 1, QString::fromStdString(Cp1252ToUtf8(DisplayedMeaning(entries[r].text))));
    }
    QApplication::restoreOverrideCursor();
    if (unreadable)
        MessageBox::error(this, u"Impossibile leggere il file %1: la smorfia non viene mostrata."_s.arg(
                                    QString::fromStdString(Globals().path(SmorfiaFileName))));
}

void Tmodsmorfia::smoClick() {
    // Always one free row at the bottom for a new entry.
    const int last = smo->rowCount() - 1;
    if (last < 0 || !cell(last, 0).isEmpty()) smo->setRowCount(smo->rowCount() + 1);
}

void Tmodsmorfia::SpeedButton1Click() {
    int top = smo->currentRow();
    int bottom = top;
    const auto ranges = smo->selectedRanges();
    if (!ranges.isEmpty()) {
        top = ranges.first().topRow();
        bottom = ranges.first().bottomRow();
    }
    const int last = smo->rowCount() - 1;
    if (last < 0) return;
    top = std::clamp(top, 0, last);
    bottom = std::clamp(bottom, 0, last);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QSignalBlocker block(smo);
    for (int r = bottom; r >= top; --r) {
        const int rows = smo->rowCount();
        for (int k = r; k + 1 < rows; ++k) {
            setCell(k, 0, cell(k + 1, 0));
            setCell(k, 1, cell(k + 1, 1));
        }
        // The last row is emptied; it goes unless it is the only data row.
        setCell(rows - 1, 0, QString());
        setCell(rows - 1, 1, QString());
        if (rows >= 2) smo->removeRow(rows - 1);
    }
    smo->clearSelection();
    QApplication::restoreOverrideCursor();
}

void Tmodsmorfia::SpeedButton2Click() {
    Globali& g = Globals();
    if (g.readOnly) {
        MessageBox::error(nullptr, QString::fromUtf8(ReadOnlyMessage), u"Numora"_s);
        return;
    }
    std::vector<SmorfiaEntry> entries;
    for (int r = 0; r < smo->rowCount(); ++r) {
        long long number = 0;
        if (!ParseWholeNumber(cell(r, 0).trimmed().toStdString(), number) || number < 1 || number > 90) continue;
        const std::string text = AsciiLower(cell(r, 1).toStdString());
        if (text.empty()) continue;
        std::string cp;
        if (!Utf8ToCp1252(text, cp)) {
            MessageBox::error(this, u"La descrizione del numero %1 alla riga %2 contiene caratteri che la smorfia non "
                                    u"può registrare.\r\nNessuna modifica è stata salvata."_s.arg(number)
                                        .arg(r + 1));
            smo->setCurrentCell(r, 1);
            return;
        }
        entries.push_back({static_cast<int>(number), cp.substr(0, SmorfiaEntry::MaxText)});
    }
    if (entries.size() > SmorfiaEntry::MaxEntries) {
        MessageBox::error(this, u"La smorfia può contenere al massimo %1 descrizioni.\r\nNessuna modifica è stata "
                                u"salvata."_s.arg(SmorfiaEntry::MaxEntries));
        return;
    }
    std::string why;
    const std::string path = g.path(SmorfiaFileName);
    const FolderLock lock(DirectoryOf(path));
    if (lock.refused()) why = FolderLock::RefusedReason;
    if (lock.refused() || !WriteFileAtomically(path, SmorfiaImage(entries), &why)) {
        MessageBox::error(this,
                          u"Impossibile scrivere il file %1: %2.\r\nIl file non è stato modificato; le modifiche "
                          u"restano nella scheda."_s.arg(QString::fromStdString(path), QString::fromStdString(why)));
        return;
    }
    accept();
}

void Tmodsmorfia::spb8Click() {
    reject();
}

} // namespace numora
