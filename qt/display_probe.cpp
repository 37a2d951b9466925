#include "qt/display_probe.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <string>

namespace rongxi::qt {
namespace {

constexpr int kX11TcpPort = 6000;
constexpr int kConnectTimeoutMilliseconds = 2000;

// Connects and closes at once; a connection still pending after the
// timeout counts as no answer.
bool Answers(int domain, const sockaddr* address, socklen_t length) {
    const int socketFd = socket(domain, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socketFd < 0) return false;
    bool connected = connect(socketFd, address, length) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd waiting{socketFd, POLLOUT, 0};
        int error = 0;
        socklen_t errorLength = sizeof error;
        connected = poll(&waiting, 1, kConnectTimeoutMilliseconds) == 1 &&
                    getsockopt(socketFd, SOL_SOCKET, SO_ERROR, &error, &errorLength) == 0 &&
                    error == 0;
    }
    close(socketFd);
    return connected;
}

// A local socket; `abstract` puts it in Linux's abstract namespace.
bool LocalAnswers(const std::string& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.empty() || path.size() + offset >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               path.size() + (abstract ? 0 : 1));
    return Answers(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length);
}

bool TcpAnswers(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    bool answers = false;
    for (const addrinfo* entry = found; entry != nullptr && !answers; entry = entry->ai_next) {
        answers = Answers(entry->ai_family, entry->ai_addr, entry->ai_addrlen);
    }
    freeaddrinfo(found);
    return answers;
}

}  // namespace

bool X11DisplayAnswers(std::string_view display) {
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos) return false;
    const std::string_view host = display.substr(0, colon);
    std::string_view number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));  // the screen does not matter
    int displayNumber = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), displayNumber);
    if (error != std::errc() || end != number.data() + number.size()) return false;
    if (!host.empty() && host.front() == '/') return LocalAnswers(std::string(host), false);
    if (host.empty() || host == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + std::to_string(displayNumber);
        return LocalAnswers(path, true) || LocalAnswers(path, false);
    }
    return TcpAnswers(std::string(host), kX11TcpPort + displayNumber);
}

bool WaylandDisplayAnswers(std::string_view waylandDisplay, std::string_view runtimeDirectory) {
    if (waylandDisplay.empty()) return false;
    if (waylandDisplay.front() == '/') return LocalAnswers(std::string(waylandDisplay), false);
    if (runtimeDirectory.empty()) return false;
    return LocalAnswers(std::string(runtimeDirectory) + "/" + std::string(waylandDisplay), false);
}

}  // namespace rongxi::qt
