#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The whois exchange: one query line to the server, free text back until the server closes.
class WhoisQuery {
public:
    static constexpr std::string_view kDefaultServer = "whois.ripe.net";
    static constexpr std::string_view kDefaultPort = "43";
    static constexpr std::size_t kResponseLimit = 1024 * 1024;

    // The port of the port box: a whole number that fits four characters; std::nullopt when it is not recognized.
    static std::optional<std::uint16_t> port(std::string_view text);

    // The line sent to the server. Carriage returns and line feeds in the query are removed so that exactly one
    // line reaches the server.
    static std::string line(std::string_view query);

    // Takes the next piece of the answer and returns the text to show, UTF-8 with "\n" line breaks (CR LF and bare
    // LF alike). Servers name no encoding: each line is read as UTF-8 where it is valid UTF-8, else as Latin-1, so a
    // line is shown once it is complete. Past kResponseLimit bytes the rest is dropped and a note says so, once.
    std::string append(std::string_view piece);
    // The server closed the connection: the text of a last line without a line break.
    std::string finish();
    // The limit was passed: nothing more will be shown.
    bool full() const { return m_dropping; }

private:
    std::size_t m_received = 0;
    std::string m_partialLine;
    bool m_dropping = false;
};

} // namespace tw
