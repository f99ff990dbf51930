#include "components/UStakeFields.h"

#include "core/Globali.h"
#include "core/StakeRule.h"
#include "core/TextHelpers.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>

using namespace Qt::StringLiterals;

namespace numora {

void ShowStakeTotal(QLabel* label, const StakeSet& set) {
    label->setText(QString::fromStdString(FormatAmount(set.total, Globals().settings)) + u" €"_s);
    SetStakeTotalColor(label, set.valid ? QColor(Qt::black) : StakeInvalidColor);
}

void SetStakeTotalColor(QLabel* label, const QColor& color) {
    // The disabled colour is left to the style, so that the total greys out with its group while a
    // run holds the dialog.
    QPalette p = label->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, color);
    p.setColor(QPalette::Inactive, QPalette::WindowText, color);
    label->setPalette(p);
}

void SetStakeFieldEnabled(QLineEdit* edit, bool enabled) {
    edit->setEnabled(enabled);
    if (enabled) {
        edit->setPalette(QPalette()); // back to the window's own colours
        return;
    }
    QPalette p = edit->palette();
    p.setColor(QPalette::Disabled, QPalette::Base, DisabledFieldColor);
    // The style's disabled text would vanish on silver; text left in the field stays legible.
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(96, 96, 96));
    edit->setPalette(p);
}

void SetStakeFieldWidth(QLineEdit* edit) {
    const QFontMetrics fm(edit->font());
    // Eight wide digits plus the frame and the text margins of the style.
    QStyleOptionFrame option;
    option.initFrom(edit);
    const QSize content(fm.horizontalAdvance(u"00000000"_s) + 8, fm.height());
    edit->setMinimumWidth(edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, edit).width());
}

} // namespace numora
