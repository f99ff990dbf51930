#pragma once

#include <QIcon>
#include <QString>

namespace numora {

// The toolbar pictures, drawn by the program so that it ships no image files.
QIcon ToolIcon(const QString& componentName);

} // namespace numora
