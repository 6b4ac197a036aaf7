#pragma once

#include <QByteArrayView>

#include <cstdio>
#include <cstdlib>

// Takes a fuzzer's input apart, front to back.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))
    {
    }
    bool atEnd() const { return m_bytes.isEmpty(); }
    QByteArrayView rest() const { return m_bytes; }
    uint8_t byte()
    {
        if (m_bytes.isEmpty())
            return 0;
        const auto value = static_cast<uint8_t>(m_bytes.front());
        m_bytes = m_bytes.sliced(1);
        return value;
    }
    // The bytes up to the next zero byte (which is dropped), or the rest.
    QByteArrayView field()
    {
        const qsizetype zero = m_bytes.indexOf('\0');
        const QByteArrayView value = zero < 0 ? m_bytes : m_bytes.first(zero);
        m_bytes = zero < 0 ? QByteArrayView() : m_bytes.sliced(zero + 1);
        return value;
    }

private:
    QByteArrayView m_bytes;
};

// A broken property: say which and stop, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
