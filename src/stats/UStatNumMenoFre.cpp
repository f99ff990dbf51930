#include "stats/UStatNumMenoFre.h"

#include "components/UFieldFilters.h"
#include "components/UHint.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

TStatNumMenoFre::TStatNumMenoFre(QWidget* parent)
    : TStatNumList(parent, u"I Numeri meno frequenti su xxx estrazioni"_s, u"Presenze"_s, QColor(0, 192, 255), true) {
    Windows().enrol(this);
    setObjectName(u"TStatNumMenoFre"_s);

    Label1 = new QLabel(u"Calcola frequenze dall'estrazione Nº:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Label2 = new QLabel(u"all'estrazione Nº"_s, this);
    Label2->setObjectName(u"Label2"_s);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    go = new QPushButton(u"Ricalcola"_s, this);
    go->setObjectName(u"go"_s);
    SetHint(go, u" Ricalcola le statistiche "_s);
    go->setEnabled(false);
    for (QLineEdit* e : {Edit1, Edit2}) {
        ApplyNumberFilter(e, 5);
        e->setFixedWidth(60);
        connect(e, &QLineEdit::textEdited, this, [this] { go->setEnabled(true); });
    }
    connect(go, &QPushButton::clicked, this, &TStatNumMenoFre::goClick);
    auto* fields = new QHBoxLayout;
    fields->addWidget(Label1);
    fields->addWidget(Edit1);
    fields->addWidget(Label2);
    fields->addWidget(Edit2);
    fields->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, fields);
    addButton(go, 0);

    const int n = Globals().archive.count();
    Edit1->setText(QString::number(n - 99));
    Edit2->setText(QString::number(n));
}

TStatNumMenoFre::~TStatNumMenoFre() {
    Windows().forget(this);
}

TStatNumMenoFre* TStatNumMenoFre::instance() {
    return Windows().find<TStatNumMenoFre>();
}

void TStatNumMenoFre::goClick() {
    go->setEnabled(false);
    recompute();
}

bool TStatNumMenoFre::compute(std::vector<NumberWheelValue>& rows) {
    const DrawArchive& draws = Globals().archive;
    const DrawWindowReading w = ReadDrawWindow(Edit1->text().toStdString(), Edit2->text().toStdString(), draws.count());
    if (!w.ok) {
        showRefusal(w.message);
        return false;
    }
    setWindowTitle(u"I Numeri meno frequenti su %1 estrazioni"_s.arg(w.window.count()));
    rows = NumberWheelFrequencies(draws, w.window);
    return true;
}

} // namespace numora
