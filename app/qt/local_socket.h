// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Unix-domain stream sockets, the few calls the one-copy rule needs: plain
// POSIX, non-blocking, close-on-exec. Every function returns -1 (or false) and
// leaves errno set when the system refuses.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>

namespace vesk::local_socket {

using Clock = std::chrono::steady_clock;

// The address of the socket `name` in the directory open as `directoryFd`
// at `directory`: its path where that fits a socket address, else a path
// through the descriptor ("/proc/self/fd/N/name"), which does.
std::string addressIn(int directoryFd, const std::string& directory, const std::string& name);

// A socket listening at `path`, which must not exist. The file is created with
// mode 0600 from the start: there is no moment in which another user could
// connect.
int listenAt(const std::string& path);

// A connected client socket, or -1: ENOENT or ECONNREFUSED when no one
// listens, EAGAIN when the listener's queue is full.
int connectTo(const std::string& path);

// The next pending client of a listening socket, or -1 when none waits.
int acceptNext(int listener);

// The user id of the process at the other end, or -1.
uid_t peerUid(int fd);

// Waits until `fd` is ready for `events` (poll's POLLIN / POLLOUT) or the
// deadline passes; true when ready.
bool waitFor(int fd, short events, Clock::time_point deadline);

// Writes all of `bytes` before the deadline; never raises SIGPIPE.
bool sendAll(int fd, const std::string& bytes, Clock::time_point deadline);

// Reads up to and including the first newline, at most `limit` bytes, before
// the deadline; what came before a hang-up or the deadline otherwise.
std::string readLine(int fd, std::size_t limit, Clock::time_point deadline);

} // namespace vesk::local_socket
