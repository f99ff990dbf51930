#include "components/UWheelSelection.h"
#include "components/UHint.h"

#include "core/TextHelpers.h"
#include "core/Types.h"

#include <QCheckBox>
#include <QGridLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

std::size_t Index(int wheel) {
    return static_cast<std::size_t>(wheel - 1);
}

} // namespace

WheelSelection::WheelSelection(QWidget* parent, int columns) : QWidget(parent) {
    setObjectName(u"WheelSelection"_s);
    for (int w = 1; w <= WheelTutte; ++w) {
        QString caption = QString::fromUtf8(WheelName(w).data(), static_cast<qsizetype>(WheelName(w).size()));
        // The component names follow the original form, where "Tutte" came before the national box.
        int component = w <= RegionalWheels ? w : (w == WheelNazionale ? 12 : 11);
        if (w == WheelNazionale) caption = u"Nazion."_s;
        auto* b = new QCheckBox(caption, this);
        b->setObjectName(u"CheckBox%1"_s.arg(component));
        boxes_[Index(w)] = b;
        connect(b, &QCheckBox::toggled, this, [this, w](bool checked) { boxToggled(w, checked); });
    }
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(2);
    arrange(columns);
    setHint(u"Ruote da usare per le giocate"_s);
    placing_ = true;
    boxes_[Index(WheelTutte)]->setChecked(true);
    placing_ = false;
}

void WheelSelection::arrange(int columns) {
    if (columns < 1) columns = 1;
    for (QCheckBox* b : boxes_) grid_->removeWidget(b);
    for (int w = 1; w <= WheelTutte; ++w) grid_->addWidget(boxes_[Index(w)], (w - 1) / columns, (w - 1) % columns);
}

void WheelSelection::setColumns(int columns) {
    arrange(columns);
}

std::uint16_t WheelSelection::mask() const {
    std::uint16_t m = 0;
    for (int w = 1; w <= WheelTutte; ++w)
        if (boxes_[Index(w)]->isChecked()) m = static_cast<std::uint16_t>(m | WheelBit(w));
    return m;
}

void WheelSelection::setMask(std::uint16_t m) {
    const std::uint16_t before = mask();
    placing_ = true;
    for (int w = 1; w <= WheelTutte; ++w) boxes_[Index(w)]->setChecked((m & WheelBit(w)) != 0);
    placing_ = false;
    if (mask() != before) emit changed();
}

QCheckBox* WheelSelection::box(int wheel) const {
    return wheel >= 1 && wheel <= WheelTutte ? boxes_[Index(wheel)] : nullptr;
}

bool WheelSelection::isChecked(int wheel) const {
    QCheckBox* b = box(wheel);
    return b && b->isChecked();
}

void WheelSelection::setNationalCaption(const QString& caption) {
    boxes_[Index(WheelNazionale)]->setText(caption);
}

void WheelSelection::setNationalObjectName(const QString& name) {
    boxes_[Index(WheelNazionale)]->setObjectName(name);
}

void WheelSelection::setHint(const QString& hint) {
    SetHint(this, hint);
}

void WheelSelection::boxToggled(int wheel, bool checked) {
    if (placing_ || applying_) return;
    applying_ = true;
    if (checked && wheel <= RegionalWheels) boxes_[Index(WheelTutte)]->setChecked(false);
    if (checked && wheel == WheelTutte)
        for (int w = 1; w <= RegionalWheels; ++w) boxes_[Index(w)]->setChecked(false);
    bool any = boxes_[Index(WheelNazionale)]->isChecked();
    for (int w = 1; w <= RegionalWheels; ++w) any = any || boxes_[Index(w)]->isChecked();
    if (!any) boxes_[Index(WheelTutte)]->setChecked(true);
    applying_ = false;
    emit changed();
}

} // namespace numora
