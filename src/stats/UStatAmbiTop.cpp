#include "stats/UStatAmbiTop.h"

#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UStatsShared.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// Events are let through at most this often during a scan; the stop request is still looked at
// on every (pair, wheel) step.
constexpr int EventIntervalMs = 25;

} // namespace

TStatAmbiTop::TStatAmbiTop(QWidget* parent, const QString& caption, const PairGridStyle& style)
    : QWidget(parent, Qt::Tool) {
    setWindowTitle(caption);
    setAutoFillBackground(true);

    auto* fieldsBox = new QWidget(this);
    fieldsGrid_ = new QGridLayout(fieldsBox);
    fieldsGrid_->setContentsMargins(0, 0, 0, 0);
    CheckBox1 = new QCheckBox(u"Escludi la ruota nazionale"_s, this);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox1->setChecked(true);
    go = Button(u"Calcola"_s, u"go"_s, this);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    model_ = new PairRowsModel(style, this);
    sg = MakePairGrid(Bevel1, model_, {70, 100, 80, 190});
    sg->setMinimumHeight(380);
    connect(sg->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TStatAmbiTop::selectionChanged);
    auto* frame = new QVBoxLayout(Bevel1);
    frame->setContentsMargins(3, 3, 3, 3);
    frame->addWidget(sg);

    AntiPan3 = new TProgressPanel(this);
    AntiPan3->setQuestion(QString::fromUtf8(InterruptQuestion), MsgAnswer::Yes);
    AntiPan3->setGaugeMaximum(PairCount);
    stopbtn = AntiPan3->sb1;
    stopbtn->setObjectName(u"stopbtn"_s);
    // The panel keeps its place while hidden, so the window does not jump when a scan starts.
    QSizePolicy keep = AntiPan3->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    AntiPan3->setSizePolicy(keep);

    aggpro = Button(u"Aggiungi al pronostico"_s, u"aggpro"_s, this);
    agggio = Button(u"Aggiungi alle giocate"_s, u"agggio"_s, this);
    aggpro->setEnabled(false);
    agggio->setEnabled(false);
    stampa = Button(u"Stampa"_s, u"stampa"_s, this);
    SetHint(stampa, u" Stampa la schermata "_s);
    manuale = Button(u"Manuale"_s, u"manuale"_s, this);
    chiudi = Button(u"Chiudi"_s, u"chiudi"_s, this);

    connect(CheckBox1, &QCheckBox::clicked, this, [this] {
        if (AntiPan3->busy())
            boxClickedWhileComputing_ = true;
        else
            go->setEnabled(true);
    });
    connect(go, &QPushButton::clicked, this, &TStatAmbiTop::goClick);
    connect(aggpro, &QPushButton::clicked, this, &TStatAmbiTop::aggproClick);
    connect(agggio, &QPushButton::clicked, this, &TStatAmbiTop::agggioClick);
    connect(stampa, &QPushButton::clicked, this, &TStatAmbiTop::stampaClick);
    connect(manuale, &QPushButton::clicked, this, [this] { ShowHelpContext(3, this); });
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);

    auto* runRow = new QHBoxLayout;
    runRow->addWidget(CheckBox1);
    runRow->addStretch(1);
    runRow->addWidget(go);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {aggpro, agggio, stampa, manuale, chiudi}) buttons->addWidget(b);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(fieldsBox);
    layout->addLayout(runRow);
    layout->addWidget(Bevel1, 1);
    layout->addWidget(AntiPan3);
    layout->addLayout(buttons);
}

void TStatAmbiTop::addField(QWidget* label, QLineEdit* field) {
    const int row = fieldsGrid_->rowCount();
    fieldsGrid_->addWidget(label, row, 0);
    fieldsGrid_->addWidget(field, row, 1, Qt::AlignLeft);
    fields_.push_back(field);
    connect(field, &QLineEdit::textEdited, this, [this] { go->setEnabled(true); });
}

int TStatAmbiTop::stopState() const {
    return !AntiPan3->busy() ? 0 : (AntiPan3->stopRequested() ? 2 : 1);
}

ProgressCallback TStatAmbiTop::throttledProgress() {
    ProgressCallback report = AntiPan3->callback();
    QPointer<TProgressPanel> panel = AntiPan3;
    auto sinceEvents = std::make_shared<QElapsedTimer>(); // not started: the first step lets events through
    return [report, panel, sinceEvents](const ProgressStatus& status) {
        if (!panel) return false;
        if (sinceEvents->isValid() && sinceEvents->elapsed() < EventIntervalMs && !panel->stopRequested()) return true;
        sinceEvents->start();
        return report(status);
    };
}

void TStatAmbiTop::goClick() {
    Inputs in;
    if (!readInputs(in)) return;
    const int lastWheel = CheckBox1->isChecked() ? RegionalWheels : WheelCount;
    boxClickedWhileComputing_ = false;
    QList<QWidget*> locked{go, stampa, manuale, chiudi, aggpro, agggio};
    for (QLineEdit* f : fields_) locked.append(f);
    TopPairsResult result;
    {
        const ProgressRun run(*AntiPan3, locked);
        result = scan(in, lastWheel, throttledProgress());
        interrupted_ = AntiPan3->interrupted();
    }
    model_->setRows(std::move(result.entries), Globals().archive.count() - 1);
    for (QWidget* w : locked) w->setEnabled(true);
    go->setEnabled(boxClickedWhileComputing_);
}

void TStatAmbiTop::refuse(const char* message) {
    MessageBox::error(this, QString::fromUtf8(message));
}

void TStatAmbiTop::selectionChanged() {
    if (!SelectedGridRows(sg).empty() && !AntiPan3->busy()) {
        aggpro->setEnabled(true);
        agggio->setEnabled(true);
    }
}

void TStatAmbiTop::aggproClick() {
    aggpro->setEnabled(false);
    AddNumbersToForecast(SelectedPairNumbers(sg));
}

void TStatAmbiTop::agggioClick() {
    StakeSet stakes;
    if (!AskStakes(this, 2, stakes)) return;
    agggio->setEnabled(false);
    const std::vector<Play> plays = SelectedPairPlays(sg, stakes.stakes, [this](int row) -> std::uint16_t {
        const int wheel = FindWheelByName(sg->model()->index(row, 1).data().toString().toStdString());
        return wheel >= 1 && wheel <= WheelCount ? WheelBit(wheel) : 0;
    });
    AddPlaysToList(this, plays);
}

void TStatAmbiTop::stampaClick() {
    PrintWindowImage(this, [this](bool printing) {
        for (QPushButton* b : {go, aggpro, agggio, stampa, manuale, chiudi}) b->setVisible(!printing);
        Bevel1->setFrameStyle(printing ? QFrame::NoFrame : (QFrame::Box | QFrame::Sunken));
        if (printing) {
            saved_ = palette();
            QPalette white = saved_;
            white.setColor(QPalette::Window, Qt::white);
            setPalette(white);
        } else {
            setPalette(saved_);
        }
    });
}

void TStatAmbiTop::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace numora
