#include "stats/UStatAmbiMenoFre.h"

#include "components/UFieldFilters.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"

#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace numora {

TStatAmbiMenoFre::TStatAmbiMenoFre(QWidget* parent)
    : TStatAmbiTop(parent, u"Gli Ambi meno frequenti"_s, {true, u"Nº presenze"_s, QColor(0, 128, 164), true, -1}) {
    setObjectName(u"TStatAmbiMenoFre"_s);
    auto field = [this](const QString& label, const QString& labelName, const QString& name, const QString& text,
                        int maxLength, QLabel*& labelOut, QLineEdit*& fieldOut) {
        labelOut = new QLabel(label, this);
        labelOut->setObjectName(labelName);
        fieldOut = new QLineEdit(text, this);
        fieldOut->setObjectName(name);
        ApplyNumberFilter(fieldOut, maxLength);
        fieldOut->setFixedWidth(60);
        addField(labelOut, fieldOut);
    };
    field(u"Calcola frequenze dall'estrazione Nº:"_s, u"Label1"_s, u"Edit1"_s, u"1"_s, 5, Label1, Edit1);
    field(u"all'estrazione Nº"_s, u"Label2"_s, u"Edit2"_s, QString::number(Globals().archive.count()), 5, Label2,
          Edit2);
    field(u"Numero di ambi meno frequenti da visualizzare (da 1 a 5000):"_s, u"Label3"_s, u"Edit3"_s, u"250"_s, 4,
          Label3, Edit3);
    Windows().enrol(this);
}

TStatAmbiMenoFre::~TStatAmbiMenoFre() {
    Windows().forget(this);
}

TStatAmbiMenoFre* TStatAmbiMenoFre::instance() {
    return Windows().find<TStatAmbiMenoFre>();
}

bool TStatAmbiMenoFre::readInputs(Inputs& in) {
    const DrawWindowReading w =
        ReadDrawWindow(Edit1->text().toStdString(), Edit2->text().toStdString(), Globals().archive.count());
    if (!w.ok) {
        refuse(w.message);
        return false;
    }
    const std::optional<int> k = ParseTopPairsCount(Edit3->text().toStdString());
    if (!k) {
        refuse(InvalidTopPairsMessage);
        return false;
    }
    in.window = w.window;
    in.k = *k;
    return true;
}

TopPairsResult TStatAmbiMenoFre::scan(const Inputs& in, int lastWheel, const ProgressCallback& progress) {
    return LeastFrequentPairs(Globals().archive, lastWheel, in.window, in.k, progress);
}

} // namespace numora
