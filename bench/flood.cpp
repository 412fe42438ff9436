// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Floods the running copy's socket: PROCESSES children each connect and hang
// up as fast as they can. Meanwhile it asks REQUESTS times, as a later copy
// does (connecting again while the queue is full, until the hand-over's
// deadline), and prints for each the milliseconds to the answer and the
// answer ("none" when the deadline passed); with REQUESTS 0 it floods until
// SIGTERM or SIGINT instead.
//   flood SOCKET PROCESSES REQUESTS
#include "app/qt/instance_guard.h"
#include "app/qt/instance_protocol.h"
#include "app/qt/local_socket.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace socket = vesk::local_socket;

// The running copy's answer, as a later copy waits for it.
std::string ask(const std::string& path)
{
    const auto deadline = socket::Clock::now() + vesk::LocalInstanceGuard::kHandOverDeadline;
    const std::string request =
        vesk::instance::formatRequest({QStringLiteral("Vesk"), {}}).toStdString();
    while (socket::Clock::now() < deadline) {
        if (const int fd = socket::connectTo(path); fd >= 0) {
            std::string reply;
            if (socket::sendAll(fd, request, deadline))
                reply = socket::readLine(fd, 64, deadline);
            ::close(fd);
            if (!reply.empty() && reply.back() == '\n')
                return reply.substr(0, reply.size() - 1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "none";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string path = argv[1];
    std::vector<pid_t> children;
    for (int i = 0; i < std::atoi(argv[2]); ++i) {
        const pid_t child = ::fork();
        if (child == 0)
            while (true)
                if (const int fd = socket::connectTo(path); fd >= 0)
                    ::close(fd);
        children.push_back(child);
    }
    if (const int requests = std::atoi(argv[3]); requests > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        for (int i = 0; i < requests; ++i) {
            const auto start = socket::Clock::now();
            const std::string answer = ask(path);
            const std::chrono::duration<double, std::milli> took = socket::Clock::now() - start;
            std::printf("%.1f %s\n", took.count(), answer.c_str());
        }
    } else {
        sigset_t stop;
        sigemptyset(&stop);
        sigaddset(&stop, SIGTERM);
        sigaddset(&stop, SIGINT);
        sigprocmask(SIG_BLOCK, &stop, nullptr);
        int signal = 0;
        sigwait(&stop, &signal);
    }
    for (const pid_t child : children) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    return 0;
}
