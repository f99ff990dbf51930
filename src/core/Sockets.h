#pragma once

#include <cstdint>

namespace numora {

// Ends the sending half of a connected socket, given by the descriptor the platform's socket
// layer gave it (a SOCKET on Windows, a file descriptor elsewhere): the peer reads to the end of
// what was sent, and the socket still reads what the peer sends. False when the system refused.
bool ShutdownSending(std::intptr_t descriptor);

} // namespace numora
