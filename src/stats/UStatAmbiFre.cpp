#include "stats/UStatAmbiFre.h"

#include "components/UFieldFilters.h"
#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TStatAmbiFre::TStatAmbiFre(QWidget* parent)
    : TStatAmbiLista(parent, u"Le Frequenze dei 4005 Ambi su xxx estrazioni"_s,
                     {false, u"Nº presenze"_s, QColor(0, 64, 192), true, -1}) {
    setObjectName(u"TStatAmbiFre"_s);
    Label1 = new QLabel(u"Calcola frequenze dall'estrazione Nº:"_s, GroupBox1);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(u"Edit1"_s);
    Label2 = new QLabel(u"all'estrazione Nº"_s, GroupBox1);
    Label2->setObjectName(u"Label2"_s);
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName(u"Edit2"_s);
    for (QLineEdit* e : {Edit1, Edit2}) {
        ApplyNumberFilter(e, 5);
        e->setFixedWidth(60);
        connect(e, &QLineEdit::textEdited, this, [this] { go->setEnabled(true); });
    }
    fieldsArea()->addWidget(Label1);
    fieldsArea()->addWidget(Edit1);
    fieldsArea()->addWidget(Label2);
    fieldsArea()->addWidget(Edit2);

    const int n = Globals().archive.count();
    Edit1->setText(QString::number(n - 399));
    Edit2->setText(QString::number(n));
    Windows().enrol(this);
}

TStatAmbiFre::~TStatAmbiFre() {
    Windows().forget(this);
}

TStatAmbiFre* TStatAmbiFre::instance() {
    return Windows().find<TStatAmbiFre>();
}

bool TStatAmbiFre::compute(std::vector<PairValue>& rows, int& neverDrawnFrom) {
    const DrawArchive& draws = Globals().archive;
    const DrawWindowReading w = ReadDrawWindow(Edit1->text().toStdString(), Edit2->text().toStdString(), draws.count());
    if (!w.ok) {
        showRefusal(w.message);
        return false;
    }
    setWindowTitle(u"Le Frequenze dei 4005 Ambi su %1 estrazioni"_s.arg(w.window.count()));
    rows = PairFrequencies(draws, CountedWheels(ruote->mask()), w.window);
    neverDrawnFrom = 0;
    return true;
}

} // namespace numora
