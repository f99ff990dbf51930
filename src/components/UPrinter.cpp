#include "components/UPrinter.h"

#include <QPrinter>

namespace numora {

QPrinter& ProgramPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

} // namespace numora
