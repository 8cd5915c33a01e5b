// Test helper standing in for a hostile or broken program on the hand-over socket:
// listens on a local socket path (left open to everybody), accepts every connection,
// appends what it receives to a log file and never answers.
//
// usage: socket_squatter SOCKET_PATH LOG_FILE

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: socket_squatter SOCKET_PATH LOG_FILE\n");
        return 2;
    }
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (std::strlen(argv[1]) >= sizeof addr.sun_path) return 2;
    std::strcpy(addr.sun_path, argv[1]);
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    umask(0);
    if (server < 0 || bind(server, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(server, 16) != 0) {
        std::perror("socket_squatter");
        return 1;
    }
    std::printf("listening\n");
    std::fflush(stdout);
    for (;;) {
        const int client = accept(server, nullptr, nullptr);
        if (client < 0) continue;
        char buf[4096];
        ssize_t n;
        // Reads until the other side gives up; answers nothing.
        while ((n = read(client, buf, sizeof buf)) > 0) {
            if (FILE* log = std::fopen(argv[2], "ab")) {
                std::fwrite(buf, 1, std::size_t(n), log);
                std::fclose(log);
            }
        }
        close(client);
    }
}
