#pragma once

namespace numora {

class CommandTable;
class WindowRegistry;

// Every feature folder's commands and long-lived windows, into the table and the registry.
// A new folder adds its registration here and nowhere else in main/.
void RegisterFeatures(CommandTable& commands, WindowRegistry& windows);

} // namespace numora
