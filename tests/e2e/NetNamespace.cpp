#include "e2e/NetNamespace.h"

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
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

NetNamespace::~NetNamespace() { shell("ip netns del " + m_name); }

bool NetNamespace::exec(const std::string& command, std::string* out) const {
    return shell("ip netns exec " + m_name + " " + command, out);
}

std::uint64_t NetNamespace::counter(const std::string& interface, const std::string& name) const {
    std::string out;
    exec("cat /sys/class/net/" + interface + "/statistics/" + name, &out);
    return std::strtoull(out.c_str(), nullptr, 10);
}

void connectVeth(const NetNamespace& left, const std::string& ifA, const std::string& addrA, const NetNamespace& right,
                 const std::string& ifB, const std::string& addrB) {
    left.exec("ip link add " + ifA + " type veth peer name " + ifB + " netns " + right.name());
    left.exec("ip addr add " + addrA + "/24 dev " + ifA);
    right.exec("ip addr add " + addrB + "/24 dev " + ifB);
    std::string macA;
    std::string macB;
    left.exec("cat /sys/class/net/" + ifA + "/address", &macA);
    right.exec("cat /sys/class/net/" + ifB + "/address", &macB);
    left.exec("ip neigh replace " + addrB + " lladdr " + macB.substr(0, 17) + " dev " + ifA + " nud permanent");
    right.exec("ip neigh replace " + addrA + " lladdr " + macA.substr(0, 17) + " dev " + ifB + " nud permanent");
    left.exec("ip link set " + ifA + " up");
    right.exec("ip link set " + ifB + " up");
}

bool sendUdpFrom(const NetNamespace& ns, const std::string& toAddress, std::uint16_t port, int count, int size) {
    bool ok = false;
    // setns() moves only the calling thread, so the sender runs on a thread of its own.
    std::thread sender([&] {
        const int nsFd = ::open(("/run/netns/" + ns.name()).c_str(), O_RDONLY | O_CLOEXEC);
        if (nsFd < 0 || ::setns(nsFd, CLONE_NEWNET) != 0) {
            return;
        }
        ::close(nsFd);
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        ::inet_pton(AF_INET, toAddress.c_str(), &to.sin_addr);
        std::vector<char> payload(static_cast<std::size_t>(size), 'x');
        int sent = 0;
        for (int i = 0; i < count; ++i) {
            if (::sendto(fd, payload.data(), payload.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
                static_cast<ssize_t>(payload.size())) {
                ++sent;
            }
        }
        ::close(fd);
        ok = sent == count;
    });
    sender.join();
    return ok;
}

} // namespace twtest
