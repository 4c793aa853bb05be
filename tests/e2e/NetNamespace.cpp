#include "e2e/NetNamespace.h"

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace twtest {

bool shell(const std::string& command, std::string* out) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        return false;
    }
    std::string text;
    char buf[512];
    while (std::fgets(buf, sizeof buf, pipe)) {
        text += buf;
    }
    const int status = ::pclose(pipe);
    if (out) {
        *out = text;
    }
    return status == 0;
}

bool netNamespacesUsable(std::string* why) {
    if (::geteuid() != 0) {
        *why = "needs root to create network namespaces";
        return false;
    }
    const std::string probe = "twprobe" + std::to_string(::getpid());
    std::string out;
    if (!shell("ip netns add " + probe, &out)) {
        *why = "`ip netns add` failed: " + out;
        return false;
    }
    shell("ip netns del " + probe);
    return true;
}

NetNamespace::NetNamespace(std::string prefix) {
    static std::atomic<int> counter{0};
    m_name = prefix + std::to_string(::getpid()) + "x" + std::to_string(counter++);
    shell("ip netns add " + m_name);
    exec("sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1");
    exec("ip link set lo up");
}

NetNamespace::~NetNamespace() {
    shell("ip netns del " + m_name);
}

bool NetNamespace::exec(const std::string& command, std::string* out) const {
    return shell("ip netns exec " + m_name + " " + command, out);
}

std::uint64_t NetNamespace::counter(const std::string& interface, const std::string& name) const {
    std::string out;
    exec("cat /sys/class/net/" + interface + "/statistics/" + name, &out);
    return std::strtoull(out.c_str(), nullptr, 10);
}

bool enterNamespace(const NetNamespace& ns) {
    const int fd = ::open(("/run/netns/" + ns.name()).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::setns(fd, CLONE_NEWNET) == 0;
    ::close(fd);
    return ok;
}

namespace {
sockaddr_in ipv4(const std::string& address, std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    ::inet_pton(AF_INET, address.c_str(), &a.sin_addr);
    return a;
}
} // namespace

int udpSocketIn(const NetNamespace& ns, const std::string& address, std::uint16_t port) {
    int fd = -1;
    std::thread inside([&] {
        if (!enterNamespace(ns)) {
            return;
        }
        fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        const sockaddr_in a = ipv4(address, port);
        if (fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof(a)) != 0) {
            ::close(fd);
            fd = -1;
        }
    });
    inside.join();
    return fd;
}

bool sendDatagrams(int fd, const std::string& toAddress, std::uint16_t port, int count, std::size_t size) {
    const sockaddr_in to = ipv4(toAddress, port);
    std::vector<char> payload(size, 'm');
    for (int i = 0; i < count; ++i) {
        if (::sendto(fd, payload.data(), size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof(to)) !=
            static_cast<ssize_t>(size)) {
            return false;
        }
    }
    return true;
}

bool procCounters(const std::string& interface, LinkBytes& bytes) {
    FILE* f = std::fopen("/proc/thread-self/net/dev", "r");
    if (!f) {
        return false;
    }
    char line[512];
    bool found = false;
    while (std::fgets(line, sizeof(line), f)) {
        const char* p = line;
        while (*p == ' ') {
            ++p;
        }
        if (std::strncmp(p, interface.c_str(), interface.size()) == 0 && p[interface.size()] == ':') {
            unsigned long long r = 0;
            unsigned long long t = 0;
            unsigned long long skip = 0;
            found = std::sscanf(p + interface.size() + 1, "%llu %llu %llu %llu %llu %llu %llu %llu %llu", &r, &skip,
                                &skip, &skip, &skip, &skip, &skip, &skip, &t) == 9;
            bytes = LinkBytes{r, t};
        }
    }
    std::fclose(f);
    return found;
}

std::string macOf(const NetNamespace& ns, const std::string& interface) {
    std::string mac;
    ns.exec("cat /sys/class/net/" + interface + "/address", &mac);
    return mac.substr(0, 17);
}

void connectVeth(const NetNamespace& left, const std::string& ifA, const std::string& addrA, const NetNamespace& right,
                 const std::string& ifB, const std::string& addrB) {
    left.exec("ip link add " + ifA + " type veth peer name " + ifB + " netns " + right.name());
    left.exec("ip addr add " + addrA + "/24 dev " + ifA);
    right.exec("ip addr add " + addrB + "/24 dev " + ifB);
    left.exec("ip neigh replace " + addrB + " lladdr " + macOf(right, ifB) + " dev " + ifA + " nud permanent");
    right.exec("ip neigh replace " + addrA + " lladdr " + macOf(left, ifA) + " dev " + ifB + " nud permanent");
    left.exec("ip link set " + ifA + " up");
    right.exec("ip link set " + ifB + " up");
}

bool sendUdpFrom(const NetNamespace& ns, const std::string& toAddress, std::uint16_t port, int count, int size) {
    bool ok = false;
    // setns() moves only the calling thread, so the sender runs on a thread of its own.
    std::thread sender([&] {
        if (!enterNamespace(ns)) {
            return;
        }
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ok = fd >= 0 && sendDatagrams(fd, toAddress, port, count, static_cast<std::size_t>(size));
        if (fd >= 0) {
            ::close(fd);
        }
    });
    sender.join();
    return ok;
}

} // namespace twtest
