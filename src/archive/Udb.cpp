#include "archive/Udb.h"

#include "components/UWindowRegistry.h"

#include "archive/UArchiveGrid.h"
#include "core/Globali.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr int ColumnWidths[6] = {90, 26, 26, 26, 26, 26};

} // namespace

Tdb::Tdb(QWidget* parent, const DrawArchive* archive)
    : QWidget(parent, Qt::Tool), archive_(archive ? archive : &Globals().archive) {
    setObjectName(u"Tdb"_s);
    setWindowTitle(u"Archivio Storico"_s);

    Data = new QLabel(this);
    Data->setObjectName(u"Data"_s);
    Concorso = new QLabel(this);
    Concorso->setObjectName(u"Concorso"_s);

    sg = new QTableWidget(WheelCount, 6, this);
    sg->setObjectName(u"sg"_s);
    SetUpArchiveGrid(sg, ColumnWidths);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setItemDelegate(new AlternatingRowDelegate(sg));
    for (int w = 1; w <= WheelCount; ++w) {
        sg->setItem(w - 1, 0, new QTableWidgetItem(WheelText(w)));
        for (int c = 1; c <= NumbersPerWheel; ++c) sg->setItem(w - 1, c, new QTableWidgetItem);
    }

    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setObjectName(u"ScrollBar1"_s);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &Tdb::ScrollBar1Change);

    auto* labels = new QHBoxLayout;
    labels->addWidget(Data);
    labels->addStretch(1);
    labels->addWidget(Concorso);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(labels);
    layout->addWidget(sg);
    layout->addWidget(ScrollBar1);
    // The window keeps the size of its grid; it cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Windows().enrol(this);
    RefreshViewerToLast();
}

Tdb::~Tdb() {
    Windows().forget(this);
}

Tdb* Tdb::instance() {
    return Windows().find<Tdb>();
}

void Tdb::RefreshViewerToLast() {
    RefreshViewerAt(archive_->count());
}

void Tdb::RefreshViewerAt(int index) {
    const int n = archive_->count();
    const QSignalBlocker block(ScrollBar1);
    // An empty archive keeps a range of one position so the bar still draws; it is disabled.
    ScrollBar1->setRange(1, n > 0 ? n : 1);
    ScrollBar1->setEnabled(n > 0);
    index = index > n ? n : index;
    index = index < 1 ? 1 : index;
    ScrollBar1->setValue(index);
    showDraw(n > 0 ? index : 0);
}

int Tdb::shownIndex() const {
    const int n = archive_->count();
    if (n == 0) return 0;
    // The archive may have shrunk without a refresh; never name a draw it no longer holds.
    return ScrollBar1->value() > n ? n : ScrollBar1->value();
}

void Tdb::ScrollBar1Change(int position) {
    const int n = archive_->count();
    showDraw(n == 0 ? 0 : (position > n ? n : position));
}

void Tdb::showDraw(int index) {
    const DrawArchive& a = *archive_;
    if (index < 1 || index > a.count()) {
        Data->setText(u"Data:"_s);
        Concorso->setText(u"Nº Concorso:"_s);
        for (int w = 1; w <= WheelCount; ++w)
            for (int c = 1; c <= NumbersPerWheel; ++c) sg->item(w - 1, c)->setText(QString());
        return;
    }
    const DrawRecord& d = a.draw(index);
    Data->setText(u"Data:"_s + QString::fromStdString(DateText(d)));
    Concorso->setText(u"Nº Concorso:"_s + QString::number(index));
    for (int w = 1; w <= WheelCount; ++w)
        for (int c = 1; c <= NumbersPerWheel; ++c) {
            const int x = d.number(w, c - 1);
            // A wheel not drawn on that date holds 0 and shows nothing.
            sg->item(w - 1, c)->setText(x == 0 ? QString() : QString::number(x));
        }
}

} // namespace numora
