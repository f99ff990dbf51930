#include "core/Sockets.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace numora {

bool ShutdownSending(std::intptr_t descriptor) {
#ifdef _WIN32
    return ::shutdown(static_cast<SOCKET>(descriptor), SD_SEND) == 0;
#else
    return ::shutdown(static_cast<int>(descriptor), SHUT_WR) == 0;
#endif
}

} // namespace numora
