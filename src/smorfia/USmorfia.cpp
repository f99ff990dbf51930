#include "smorfia/USmorfia.h"

#include "components/UHint.h"
#include "components/UWindowRegistry.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "smorfia/SmorfiaTable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TSmorfia::TSmorfia(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(u"TSmorfia"_s);
    setWindowTitle(u"La smorfia"_s);

    smo = new QLineEdit(this);
    smo->setObjectName(u"smo"_s);
    smo->setMaxLength(500);
    SetHint(smo, u" Inserire i termini o i numeri da ricercare "_s);
    smo->installEventFilter(this);
    SpeedButton8 = new QPushButton(u"Cerca"_s, this);
    SpeedButton8->setObjectName(u"SpeedButton8"_s);
    SetHint(SpeedButton8, u" Avvia la ricerca "_s);
    connect(SpeedButton8, &QPushButton::clicked, this, &TSmorfia::SpeedButton8Click);

    sgsmo = new QTableWidget(1, 2, this);
    sgsmo->setObjectName(u"sgsmo"_s);
    sgsmo->setHorizontalHeaderLabels({QString(), QString()});
    sgsmo->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgsmo->horizontalHeader()->setStretchLastSection(true);
    sgsmo->setColumnWidth(0, 29);
    sgsmo->setColumnWidth(1, 367);
    sgsmo->verticalHeader()->hide();
    sgsmo->verticalHeader()->setDefaultSectionSize(sgsmo->fontMetrics().height() + 6);
    sgsmo->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgsmo->setSelectionMode(QAbstractItemView::SingleSelection);
    sgsmo->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(u"Termini:"_s, this));
    row->addWidget(smo, 1);
    row->addWidget(SpeedButton8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(row);
    layout->addWidget(sgsmo, 1);
    // As wide as the grid's two columns with the scroll bar beside them, so that no meaning is cut.
    const int grid = 29 + 367 + sgsmo->verticalScrollBar()->sizeHint().width() + 2 * sgsmo->frameWidth();
    resize(grid + layout->contentsMargins().left() + layout->contentsMargins().right(), 300);

    Windows().enrol(this);
}

TSmorfia::~TSmorfia() {
    Windows().forget(this);
}

TSmorfia* TSmorfia::instance() {
    return Windows().find<TSmorfia>();
}

bool TSmorfia::eventFilter(QObject* watched, QEvent* event) {
    if (watched == smo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            SpeedButton8Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSmorfia::SpeedButton8Click() {
    const std::vector<std::string> terms = SearchTerms(smo->text().toStdString());
    if (terms.empty()) return;
    sgsmo->clearContents();
    sgsmo->setRowCount(1);
    sgsmo->setToolTip(QString());
    const std::string path = Globals().path(SmorfiaFileName);
    bool unreadable = false;
    const std::vector<SmorfiaEntry> entries = ReadSmorfia(path, &unreadable);
    if (unreadable) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<std::size_t> found = SearchSmorfia(entries, terms);
    sgsmo->setRowCount(std::max<int>(1, static_cast<int>(found.size())));
    for (std::size_t r = 0; r < found.size(); ++r) {
        const SmorfiaEntry& e = entries[found[r]];
        const int row = static_cast<int>(r);
        sgsmo->setItem(row, 0, new QTableWidgetItem(u"  "_s + QString::number(e.number)));
        sgsmo->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(Cp1252ToUtf8(DisplayedMeaning(e.text)))));
    }
    QApplication::restoreOverrideCursor();
}

} // namespace numora
