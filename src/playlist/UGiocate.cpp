#include "playlist/UGiocate.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"
#include "playlist/PlayEntry.h"
#include "playlist/UDaTastiera.h"
#include "playlist/UModGiocata.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

TGiocate* theInstance = nullptr;

const QColor HeaderColor{192, 192, 192};
const QColor HeaderShadow{128, 128, 128};
const QColor SelectedColor{0, 0, 128};
constexpr int TextInset = 2;
constexpr int ColumnCount = 8;

QString Text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

// Formats the rows of the list as they are painted: the list may hold 100000 plays, and only
// the rows on screen are ever turned into text.
class PlayListModel : public QAbstractTableModel {
public:
    explicit PlayListModel(QObject* parent) : QAbstractTableModel(parent) {}

    // The plays shown from now on; an empty list still shows one empty row.
    void reset(int plays) {
        beginResetModel();
        plays_ = std::max(plays, 0);
        endResetModel();
    }
    int plays() const { return plays_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : std::max(plays_, 1);
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
        if (role != Qt::DisplayRole) return {};
        const int row = index.row() + 1;
        const PlayList& list = Globals().system.list;
        // Rows beyond the list (it shrank and the refresh is still to come) show nothing.
        if (plays_ <= 0 || row > list.count()) return QString();
        return Text(PlayCellText(list.play(row), row, index.column(), Globals().settings));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const titles[ColumnCount] = {" Nº",    " Numeri", " Ruote",  "€ Estr",
                                                        "€ Amb",  "€ Tern",  "€ Quat",  "€ Cinq"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
            return QAbstractTableModel::headerData(section, orientation, role);
        return QString::fromUtf8(titles[section]);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    int plays_ = 0;
};

namespace {

// The header row: silver with black text and a raised edge.
class PlayListHeader : public QHeaderView {
public:
    explicit PlayListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override {
        if (!rect.isValid()) return;
        painter->save();
        painter->fillRect(rect, HeaderColor);
        painter->setPen(Qt::white);
        painter->drawLine(rect.topLeft(), rect.topRight());
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
        painter->setPen(HeaderShadow);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->setPen(Qt::black);
        painter->setFont(font());
        painter->drawText(rect.adjusted(TextInset, TextInset, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          model()->headerData(section, orientation(), Qt::DisplayRole).toString());
        painter->restore();
    }
};

// The rows: white on navy inside the selection (only when there are plays), black on white
// elsewhere, the text clipped to its cell.
class PlayListDelegate : public QStyledItemDelegate {
public:
    explicit PlayListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto* model = static_cast<const PlayListModel*>(index.model());
        const bool selected = (option.state & QStyle::State_Selected) && model->plays() > 0;
        painter->save();
        painter->setClipRect(option.rect);
        painter->fillRect(option.rect, selected ? SelectedColor : QColor(Qt::white));
        painter->setPen(selected ? Qt::white : Qt::black);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(TextInset, TextInset, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

QLabel* ValueLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TGiocate::TGiocate(QWidget* parent) : QWidget(parent, Qt::Tool) {
    theInstance = this;
    setObjectName(u"TGiocate"_s);
    setWindowTitle(u"Giocate"_s);

    Label1 = new QLabel(u"Numero di giocate:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label2 = new QLabel(u"Numeri in gioco:"_s, this);
    Label2->setObjectName(u"Label2"_s);
    Label3 = new QLabel(u"Ruote in gioco:"_s, this);
    Label3->setObjectName(u"Label3"_s);
    Label4 = new QLabel(u"Costo Totale:"_s, this);
    Label4->setObjectName(u"Label4"_s);
    NumeroGiocate = ValueLabel(u"NumeroGiocate"_s, u"0"_s, this);
    NumeriInGioco = ValueLabel(u"NumeriInGioco"_s, u"0"_s, this);
    RuoteInGioco = ValueLabel(u"RuoteInGioco"_s, u"0"_s, this);
    RuoteInGioco->setWordWrap(true);
    CostoTotale = ValueLabel(u"CostoTotale"_s, u"0,00 €"_s, this);

    auto* summary = new QGridLayout;
    summary->setHorizontalSpacing(6);
    summary->setVerticalSpacing(2);
    summary->addWidget(Label1, 0, 0);
    summary->addWidget(NumeroGiocate, 0, 1);
    summary->addWidget(Label4, 0, 2);
    summary->addWidget(CostoTotale, 0, 3);
    summary->addWidget(Label2, 1, 0);
    summary->addWidget(NumeriInGioco, 1, 1, 1, 3);
    summary->addWidget(Label3, 2, 0, Qt::AlignTop);
    summary->addWidget(RuoteInGioco, 2, 1, 1, 3);
    summary->setColumnStretch(1, 1);
    summary->setColumnStretch(3, 1);

    model_ = new PlayListModel(this);
    sg = new QTableView(this);
    sg->setObjectName(u"sg"_s);
    auto* header = new PlayListHeader(sg);
    sg->setHorizontalHeader(header);
    sg->setModel(model_);
    sg->setItemDelegate(new PlayListDelegate(sg));
    sg->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setWordWrap(false);
    sg->setCornerButtonEnabled(false);
    sg->setAlternatingRowColors(false);
    sg->verticalHeader()->hide();
    // Fixed row heights keep a list of 100000 plays as cheap to lay out as a short one.
    sg->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg->verticalHeader()->setDefaultSectionSize(sg->fontMetrics().height() + 2 * TextInset + 1);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionsMovable(false);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(8);
    header->setFixedHeight(header->fontMetrics().height() + 2 * TextInset + 2);
    static const int widths[ColumnCount] = {30, 115, 54, 34, 34, 34, 34, 34};
    for (int c = 0; c < ColumnCount; ++c) sg->setColumnWidth(c, widths[c]);
    QPalette p = sg->palette();
    p.setColor(QPalette::Base, Qt::white);
    sg->setPalette(p);
    sg->installEventFilter(this);
    connect(sg, &QTableView::doubleClicked, this, &TGiocate::sgDblClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(summary);
    layout->addWidget(sg, 1);

    int width = 0;
    for (int w : widths) width += w;
    resize(width + sg->verticalScrollBar()->sizeHint().width() + 2 * sg->frameWidth() + 8, 420);
}

TGiocate::~TGiocate() {
    if (theInstance == this) theInstance = nullptr;
}

TGiocate* TGiocate::instance() { return theInstance; }

void TGiocate::RefreshPlayList() {
    NumeroGiocate->setText(u"0"_s);
    NumeriInGioco->setText(u"0"_s);
    RuoteInGioco->setText(u"0"_s);
    CostoTotale->setText(u"0,00 €"_s);
    summary_ = PlayListSummary{};

    int first = 0;
    int last = 0;
    const bool hadSelection = selection(first, last);
    const int scroll = sg->verticalScrollBar()->value();

    const PlayList& list = Globals().system.list;
    const int n = list.count();
    if (n <= 0) {
        model_->reset(0);
        return;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    summary_ = SummarizePlayList(list);
    model_->reset(n);
    // The grid kept its selection and its first visible row when rows were added or removed.
    if (hadSelection)
        selectRange(std::min(first, n), std::min(last, n));
    else
        selectRange(1, 1);
    sg->doItemsLayout();
    sg->verticalScrollBar()->setValue(scroll);
    sg->viewport()->update();

    NumeroGiocate->setText(QString::number(n));
    NumeriInGioco->setText(QString::number(summary_.numberCount()));
    RuoteInGioco->setText(Text(WheelSetText(summary_.wheels)));
    CostoTotale->setText(Text(FormatAmount(summary_.total, Globals().settings)) + u" €"_s);
    QApplication::restoreOverrideCursor();
    // Let the grid paint now; user input waits, so no command starts inside a refresh.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TGiocate::selectRange(int first, int last) {
    QItemSelectionModel* s = sg->selectionModel();
    const QModelIndex top = model_->index(first - 1, 0);
    const QModelIndex bottom = model_->index(last - 1, ColumnCount - 1);
    s->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
    s->select(QItemSelection(top, bottom), QItemSelectionModel::ClearAndSelect);
}

bool TGiocate::selection(int& first, int& last) const {
    const int n = model_->plays();
    if (n <= 0) return false;
    int f = 0;
    int l = 0;
    const QItemSelection ranges = sg->selectionModel()->selection();
    for (const QItemSelectionRange& r : ranges) {
        const int top = r.top() + 1;
        const int bottom = r.bottom() + 1;
        if (f == 0 || top < f) f = top;
        if (bottom > l) l = bottom;
    }
    if (f == 0) return false;
    first = f;
    last = std::min(l, n);
    return first <= last;
}

std::vector<int> TGiocate::selectedRows() const {
    std::vector<int> rows;
    const int n = model_->plays();
    if (n <= 0) return rows;
    const QItemSelection ranges = sg->selectionModel()->selection();
    for (const QItemSelectionRange& r : ranges)
        for (int row = r.top() + 1; row <= r.bottom() + 1 && row <= n; ++row) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool TGiocate::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sg && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            sgKeyDown(key->key());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TGiocate::sgKeyDown(int key) {
    int first = 0;
    int last = 0;
    if (key == Qt::Key_Delete && Globals().system.list.count() > 0 && selection(first, last))
        emit deleteSelectedRequested();
}

namespace {

QWidget* DialogParent(QWidget* parent) { return parent ? parent->window() : nullptr; }

TModGiocata& EditDialog(QWidget* parent) {
    if (TModGiocata* d = TModGiocata::instance()) return *d;
    return *new TModGiocata(DialogParent(parent));
}

TDaTastiera& KeyboardDialog(QWidget* parent) {
    if (TDaTastiera* d = TDaTastiera::instance()) return *d;
    return *new TDaTastiera(DialogParent(parent));
}

// The edit dialog on the selected plays; false when there is nothing to edit.
bool EditSelection(QWidget* parent) {
    TGiocate* view = TGiocate::instance();
    const int n = Globals().system.list.count();
    int first = 0;
    int last = 0;
    if (n <= 0 || !view || !view->selection(first, last)) return false;
    first = std::clamp(first, 1, n);
    last = std::clamp(last, first, n);
    TakeUndoSnapshot(Globals().system);
    TModGiocata& dialog = EditDialog(parent);
    dialog.setPlays(first, last);
    dialog.exec();
    view->RefreshPlayList();
    return true;
}

} // namespace

void TGiocate::sgDblClick() { EditSelection(parentWidget() ? parentWidget() : this); }

void EditSelectedPlays(QWidget* parent) {
    if (!EditSelection(parent)) MessageBox::information(parent, QString::fromUtf8(NoPlaysToEditMessage));
}

void KeyboardEntry(QWidget* parent) {
    TakeUndoSnapshot(Globals().system);
    KeyboardDialog(parent).exec();
    if (TGiocate* view = TGiocate::instance()) view->RefreshPlayList();
}

} // namespace numora
