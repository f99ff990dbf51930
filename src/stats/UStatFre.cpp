#include "stats/UStatFre.h"

#include "components/UFieldFilters.h"
#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace numora {

TStatFre::TStatFre(QWidget* parent)
    : TStatNumChart(parent, u"Le frequenze dei 90 numeri"_s,
                    {QColor(255, 230, 40), QColor(0, 0, 140), QColor(0, 64, 0), 100}) {
    Windows().enrol(this);
    setObjectName(u"TStatFre"_s);
    Label3->setText(u"Frequenze"_s);

    auto* row = new QWidget(GroupBox1);
    Label1 = new QLabel(u"Calcola frequenze dall'estrazione Nº:"_s, row);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(row);
    Edit1->setObjectName(u"Edit1"_s);
    Label2 = new QLabel(u"all'estrazione Nº"_s, row);
    Label2->setObjectName(u"Label2"_s);
    Edit2 = new QLineEdit(row);
    Edit2->setObjectName(u"Edit2"_s);
    for (QLineEdit* e : {Edit1, Edit2}) {
        ApplyNumberFilter(e, 5);
        e->setFixedWidth(60);
        connect(e, &QLineEdit::textEdited, this, [this] { go->setEnabled(true); });
    }
    auto* fields = new QHBoxLayout(row);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addWidget(Label1);
    fields->addWidget(Edit1);
    fields->addWidget(Label2);
    fields->addWidget(Edit2);
    fields->addStretch(1);
    addFieldsRow(row);

    const int n = Globals().archive.count();
    Edit1->setText(QString::number(n - 99));
    Edit2->setText(QString::number(n));
    compute();
    go->setEnabled(false);
}

TStatFre::~TStatFre() {
    Windows().forget(this);
}

TStatFre* TStatFre::instance() {
    return Windows().find<TStatFre>();
}

bool TStatFre::compute() {
    const DrawArchive& draws = Globals().archive;
    const DrawWindowReading w = ReadDrawWindow(Edit1->text().toStdString(), Edit2->text().toStdString(), draws.count());
    if (!w.ok) {
        showRefusal(w.message);
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Label3->setText(u"Frequenze su %1 estrazioni"_s.arg(w.window.count()));
    ritgraf->setBusy(true);
    std::vector<NumberValue> rows = NumberFrequencies(draws, CountedWheels(ruote->mask()), w.window);
    ritgraf->setBusy(false);
    ritgraf->setEntries(std::move(rows));
    noteFigures(ruote->mask());
    QApplication::restoreOverrideCursor();
    return true;
}

} // namespace numora
