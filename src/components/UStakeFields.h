#pragma once

#include <QColor>

class QLabel;
class QLineEdit;

namespace numora {

struct StakeSet;

inline const QColor StakeInvalidColor{230, 0, 0};
inline const QColor DisabledFieldColor{192, 192, 192};

// FormatAmount(total) + " €", black when the set is valid, red when it is not.
void ShowStakeTotal(QLabel* label, const StakeSet& set);
// The total's colour while its group is enabled.
void SetStakeTotalColor(QLabel* label, const QColor& color);
// Enables a stake field, or disables it on a silver background so that it reads as not in play.
void SetStakeFieldEnabled(QLineEdit* edit, bool enabled);
// Wide enough for the eight characters a stake field takes.
void SetStakeFieldWidth(QLineEdit* edit);

} // namespace numora
