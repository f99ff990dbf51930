#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QCheckBox;
class QGridLayout;

namespace numora {

// The row of wheel check boxes many windows carry: the ten regional wheels, the national wheel
// and "Tutte". Its mask is the wheel mask of a play: bit w-1 for regional wheel w, bit 10 for
// the national wheel, bit 11 for "Tutte".
//
// Checking a regional wheel unchecks "Tutte"; checking "Tutte" unchecks the regional wheels (not
// the national one); when no regional wheel and not the national one is checked, "Tutte" is
// checked again. The rules follow a box the user or a caller checks; setMask() places a mask as
// it is. changed() follows every change; a window filling its fields blocks it with
// QSignalBlocker (or blockSignals) on this widget.
class WheelSelection : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint16_t NationalBit = 1u << 10;
    static constexpr std::uint16_t TutteBit = 1u << 11;

    explicit WheelSelection(QWidget* parent = nullptr, int columns = 4);

    std::uint16_t mask() const;
    void setMask(std::uint16_t mask);

    // Wheel 1..10 regional, 11 national, 12 "Tutte".
    QCheckBox* box(int wheel) const;
    bool isChecked(int wheel) const;

    // Some windows name the national box "R. Nazionale" or give it another component name
    // because CheckBox12 is taken by one of their own controls.
    void setNationalCaption(const QString& caption);
    void setNationalObjectName(const QString& name);
    // Tooltip and status text of the whole row.
    void setHint(const QString& hint);
    // Rearranges the boxes in rows of `columns`, in wheel order, "Tutte" last.
    void setColumns(int columns);

signals:
    void changed();

private:
    void boxToggled(int wheel, bool checked);
    void arrange(int columns);

    std::array<QCheckBox*, 12> boxes_{};
    QGridLayout* grid_ = nullptr;
    bool applying_ = false;
    bool placing_ = false;
};

} // namespace numora
