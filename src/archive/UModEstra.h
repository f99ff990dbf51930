#pragma once

#include "archive/UNuovaEstra.h"

namespace numora {

// The draw-entry window on an archived draw: it opens with that draw's date and numbers and
// "Applica" moves the edited draw to the place of its date. Created for one use.
class TModEstra : public TNuovaEstra {
    Q_OBJECT
public:
    // `index` is the draw shown by the viewer (1..N).
    explicit TModEstra(int index, QWidget* parent = nullptr);

    int editedIndex() const { return index_; }

protected:
    // The old draw stays in the archive untouched when InsertDraw refuses the new record.
    bool store(const DrawRecord& record) override;

private:
    int index_;
};

} // namespace numora
