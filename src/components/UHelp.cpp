#include "components/UHelp.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"

#include <algorithm>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString& ChosenHelpFile() {
    static QString path;
    return path;
}

QPointer<THelp>& OpenWindow() {
    static QPointer<THelp> window;
    return window;
}

// The window, created on first use; nullptr (after telling the user) when the file is unusable.
THelp* EnsureWindow(QWidget* parent) {
    QPointer<THelp>& w = OpenWindow();
    if (!w) {
        HelpFile file;
        QString message;
        if (!file.load(HelpFilePath(), message)) {
            MessageBox::error(parent, message);
            return nullptr;
        }
        w = new THelp(std::move(file));
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

} // namespace

THelp::THelp(HelpFile file, QWidget* parent) : QWidget(parent, Qt::Window), file_(std::move(file)) {
    setObjectName(u"THelp"_s);
    setWindowTitle(u"Guida di Numora"_s);

    cerca = new QLineEdit(this);
    cerca->setObjectName(u"cerca"_s);
    cerca->setPlaceholderText(u"Parole da cercare"_s);
    cerca->setClearButtonEnabled(true);
    sommario = new QListWidget(this);
    sommario->setObjectName(u"sommario"_s);
    testo = new QTextBrowser(this);
    testo->setObjectName(u"testo"_s);
    testo->setOpenLinks(false);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* cercaLabel = new QLabel(u"Cerca:"_s, left);
    cercaLabel->setBuddy(cerca);
    leftLayout->addWidget(cercaLabel);
    leftLayout->addWidget(cerca);
    auto* sommarioLabel = new QLabel(u"Sommario:"_s, left);
    sommarioLabel->setBuddy(sommario);
    leftLayout->addWidget(sommarioLabel);
    leftLayout->addWidget(sommario, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(testo);
    splitter->setStretchFactor(1, 1);
    // The contents show their longest title whole.
    int titles = 0;
    for (const HelpTopic& t : file_.topics()) titles = std::max(titles, sommario->fontMetrics().horizontalAdvance(t.title));
    const int leftWidth = std::clamp(titles + 2 * sommario->frameWidth() + 24, 200, 420);
    sommario->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sommario->setTextElideMode(Qt::ElideRight);
    resize(leftWidth + 640, 580);
    splitter->setSizes({leftWidth, 620});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    connect(cerca, &QLineEdit::textChanged, this, &THelp::cercaChange);
    connect(sommario, &QListWidget::itemClicked, this, &THelp::sommarioClick);
    connect(sommario, &QListWidget::itemActivated, this, &THelp::sommarioClick);
    connect(testo, &QTextBrowser::anchorClicked, this, &THelp::testoAnchorClicked);

    fillContents(file_.search(QString()));
}

void THelp::fillContents(const QList<int>& contexts) {
    sommario->clear();
    for (int c : contexts) {
        const HelpTopic* t = file_.topic(c);
        auto* item = new QListWidgetItem(t->title, sommario);
        item->setData(Qt::UserRole, c);
    }
    selectInContents(current_);
}

void THelp::selectInContents(int context) {
    for (int r = 0; r < sommario->count(); ++r)
        if (sommario->item(r)->data(Qt::UserRole).toInt() == context) {
            sommario->setCurrentRow(r);
            return;
        }
    sommario->clearSelection();
}

bool THelp::showContext(int context) {
    const HelpTopic* t = file_.topic(context);
    if (!t) return false;
    current_ = context;
    testo->setHtml(file_.page(*t));
    selectInContents(context);
    return true;
}

void THelp::showContents() {
    if (!cerca->text().isEmpty()) cerca->clear();
    if (current_ == 0 && !file_.topics().isEmpty()) showContext(file_.topics().front().context);
    sommario->setFocus();
}

void THelp::showSearch(const QString& keyword) {
    cerca->setText(keyword);
    cerca->setFocus();
    cerca->selectAll();
}

void THelp::cercaChange() {
    const QList<int> found = file_.search(cerca->text());
    fillContents(found);
    if (!found.isEmpty() && !found.contains(current_) && !cerca->text().trimmed().isEmpty()) showContext(found.front());
}

void THelp::sommarioClick(QListWidgetItem* item) {
    if (item) showContext(item->data(Qt::UserRole).toInt());
}

void THelp::testoAnchorClicked(const QUrl& url) {
    const QString fragment = url.fragment();
    if (url.isRelative() && fragment.startsWith(u"ctx"_s)) {
        bool ok = false;
        const int context = fragment.mid(3).toInt(&ok);
        if (ok && showContext(context)) return;
    }
    // Links outside the help stay where they are rather than replacing the page with nothing.
}

QString HelpFilePath() {
    if (!ChosenHelpFile().isEmpty()) return ChosenHelpFile();
    const QString dir = QString::fromStdString(Globals().appDir);
    const QString inFolder = dir + u"help/Numora.html"_s;
    if (QFileInfo::exists(inFolder)) return inFolder;
    return dir + u"Numora.html"_s;
}

void SetHelpFile(const QString& path) {
    ChosenHelpFile() = path;
    // A window over the old file would keep showing it.
    delete OpenWindow().data();
}

void ShowHelpContext(int context, QWidget* parent) {
    if (THelp* w = EnsureWindow(parent))
        if (!w->showContext(context)) w->showContents();
}

void ShowHelpContents(QWidget* parent) {
    if (THelp* w = EnsureWindow(parent)) w->showContents();
}

void ShowHelpSearch(const QString& keyword, QWidget* parent) {
    if (THelp* w = EnsureWindow(parent)) {
        if (w->currentContext() == 0) w->showContents();
        w->showSearch(keyword);
    }
}

THelp* CurrentHelpWindow() { return OpenWindow(); }

} // namespace numora
