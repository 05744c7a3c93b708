#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares. A target defines LLVMFuzzerTestOneInput (and, when it needs
// set-up, LLVMFuzzerInitialize); under libFuzzer the fuzzer calls them, in the ordinary build
// ReplayMain.cpp calls them once per file of the target's corpus.

// A broken property must stop the run in every build: assert() is compiled out of release
// builds, and libFuzzer keeps the input of any abort as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzzsupport {

// Takes parameters off the front of a fuzz input; what is left is the text under test. An
// input that runs out yields zeros, so every input is usable.
class InputReader {
public:
    InputReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte()
    {
        if (m_pos >= m_size)
            return 0;
        return m_data[m_pos++];
    }

    // A value in [low, high], spread over one byte.
    int intIn(int low, int high) { return low + byte() % (high - low + 1); }

    std::uint16_t word()
    {
        const std::uint16_t high = byte();
        return static_cast<std::uint16_t>(high << 8 | byte());
    }

    // The bytes up to the next `separator` (dropped), or the rest.
    QByteArray field(char separator)
    {
        QByteArray out;
        while (m_pos < m_size && m_data[m_pos] != static_cast<std::uint8_t>(separator))
            out.append(static_cast<char>(m_data[m_pos++]));
        if (m_pos < m_size)
            ++m_pos;
        return out;
    }

    QByteArray rest()
    {
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos),
                             static_cast<qsizetype>(m_size - m_pos));
        m_pos = m_size;
        return out;
    }

    bool atEnd() const { return m_pos >= m_size; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

inline QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Qt classes that need an application object (the serial port's notifiers) get one that lives
// until the process ends.
void ensureCoreApplication();

} // namespace fuzzsupport
