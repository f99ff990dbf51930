#include "playlist/UGiocate.h"

#include "components/UWindowRegistry.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"
#include "platform/QtText.h"
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

const QColor HeaderColor{192, 192, 192};
const QColor HeaderShadow{128, 128, 128};
const QColor SelectedColor{0, 0, 128};
constexpr int TextInset = 2;
constexpr int ColumnCount = 8;

} // namespace

// Formats the rows of the list as they are painted: the list may hold 100000 plays, and only
// the rows on screen are ever turned into text. It reads the list and the settings given to it.
class PlayListModel : public QAbstractTableModel {
public:
    PlayListModel(const PlayList& list, const Settings& settings, QObject* parent)
        : QAbstractTableModel(parent), list_(list), settings_(settings) {}

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
        // Rows beyond the list (it shrank and the refresh is still to come) show nothing.
        if (plays_ <= 0 || row > list_.count()) return QString();
        return Q(PlayCellText(list_.play(row), row, index.column(), settings_));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const titles[ColumnCount] = {" Nº",   " Numeri", " Ruote", "€ Estr",
                                                        "€ Amb", "€ Tern",  "€ Quat", "€ Cinq"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
            return QAbstractTableModel::headerData(section, orientation, role);
        return QString::fromUtf8(titles[section]);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    const PlayList& list_;
    const Settings& settings_;
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
        painter->drawText(rect.adjusted(TextInset, TextInset, -1, -1),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
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
        painter->drawText(option.rect.adjusted(TextInset, TextInset, 0, 0),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

// A cell's text starts TextInset pixels in; one more pixel keeps it off the grid line.
int CellWidth(int textWidth) {
    return TextInset + textWidth + TextInset + 1;
}

// The widest a text of `length` digits can be: the widest digit repeated.
int WidestDigits(const QFontMetrics& fm, int length) {
    int w = 0;
    for (char16_t d = u'0'; d <= u'9'; ++d) w = std::max(w, fm.horizontalAdvance(QString(length, QChar(d))));
    return w;
}

QLabel* ValueLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TGiocate::TGiocate(QWidget* parent) : TGiocate(Globals().system, Globals().settings, parent) {
    // Every change of the program's plays reaches the view that shows them through this hook.
    Globals().system.playsChanged = [] {
        if (TGiocate* view = TGiocate::instance()) view->RefreshPlayList();
    };
}

TGiocate::TGiocate(const PlaySystem& system, const Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool), system_(system), settings_(settings) {
    Windows().enrol(this);
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

    // The four lines one under the other, in the order they are named.
    auto* summary = new QGridLayout;
    summary->setHorizontalSpacing(6);
    summary->setVerticalSpacing(2);
    summary->addWidget(Label1, 0, 0);
    summary->addWidget(NumeroGiocate, 0, 1);
    summary->addWidget(Label2, 1, 0);
    summary->addWidget(NumeriInGioco, 1, 1);
    summary->addWidget(Label3, 2, 0, Qt::AlignTop);
    summary->addWidget(RuoteInGioco, 2, 1);
    summary->addWidget(Label4, 3, 0);
    summary->addWidget(CostoTotale, 3, 1);
    summary->setColumnStretch(1, 1);

    model_ = new PlayListModel(system_.list, settings_, this);
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
    // The header text also starts TextInset in and has the raised edge's line on its right.
    const QFontMetrics headerMetrics = header->fontMetrics();
    const int widestIndex = CellWidth(WidestDigits(sg->fontMetrics(), 6)); // "100000"
    int width = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const QString title = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        int w = std::max(StartWidths[c], CellWidth(headerMetrics.horizontalAdvance(title)) + 1);
        if (c == 0) w = std::max(w, widestIndex);
        sg->setColumnWidth(c, w);
        leastWidths_[static_cast<std::size_t>(c)] = w;
        fitted_[static_cast<std::size_t>(c)] = w;
        width += w;
    }
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

    resize(width + sg->verticalScrollBar()->sizeHint().width() + 2 * sg->frameWidth() + 8, 420);
}

TGiocate::~TGiocate() {
    Windows().forget(this);
}

TGiocate* TGiocate::instance() {
    return Windows().find<TGiocate>();
}

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

    const PlayList& list = system_.list;
    const int n = list.count();
    if (n <= 0) {
        model_->reset(0);
        return;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    summary_ = SummarizePlayList(list);
    fitColumns();
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
    RuoteInGioco->setText(Q(WheelSetText(summary_.wheels)));
    CostoTotale->setText(Q(FormatAmount(summary_.total, settings_)) + u" €"_s);
    QApplication::restoreOverrideCursor();
    // Let the grid paint now; user input waits, so no command starts inside a refresh.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TGiocate::fitColumns() {
    const QFontMetrics fm = sg->fontMetrics();
    // Each number is followed by one blank; every digit is taken as wide as the widest one.
    const int numbers = CellWidth(WidestDigits(fm, summary_.mostDigits) +
                                  summary_.mostNumbers * fm.horizontalAdvance(QLatin1Char(' ')));
    int wheels = 0;
    for (std::uint16_t mask : summary_.masks) wheels = std::max(wheels, fm.horizontalAdvance(Q(WheelMaskText(mask))));
    wheels = CellWidth(wheels);
    // A column the user has not resized follows the list, down to its least width; one the user
    // resized only grows, so every cell stays whole.
    const std::pair<int, int> needs[] = {{1, numbers}, {2, wheels}};
    for (const auto& [c, need] : needs) {
        const auto k = static_cast<std::size_t>(c);
        const int now = sg->columnWidth(c);
        const int w = now == fitted_[k] ? std::max(leastWidths_[k], need) : std::max(now, need);
        if (w != now) sg->setColumnWidth(c, w);
        fitted_[k] = w;
    }
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
    if (key == Qt::Key_Delete && system_.list.count() > 0 && selection(first, last)) emit deleteSelectedRequested();
}

namespace {

QWidget* DialogParent(QWidget* parent) {
    return parent ? parent->window() : nullptr;
}

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
    // The dialog's changes go through the protocol without their own snapshot: this one is what
    // the undo restores.
    TakeUndoSnapshot(Globals().system);
    TModGiocata& dialog = EditDialog(parent);
    dialog.setPlays(first, last);
    dialog.exec();
    return true;
}

} // namespace

void TGiocate::sgDblClick() {
    EditSelection(parentWidget() ? parentWidget() : this);
}

void EditSelectedPlays(QWidget* parent) {
    if (!EditSelection(parent)) MessageBox::information(parent, QString::fromUtf8(NoPlaysToEditMessage));
}

void KeyboardEntry(QWidget* parent) {
    TakeUndoSnapshot(Globals().system); // see EditSelection
    KeyboardDialog(parent).exec();
}

} // namespace numora
