#ifndef BUFFEREDWRITER_H
#define BUFFEREDWRITER_H

#include <QByteArray>

#include <cstring>
#include <functional>
#include <vector>

class QIODevice;

// Collects small pieces of output in a fixed buffer and hands it to the
// device in large writes, so a generator can emit line by line without a
// system call per line and without holding its whole output. After a
// failed device write every later write is dropped and failed() is true.
class BufferedWriter
{
public:
    explicit BufferedWriter(QIODevice *device, int capacity = 1 << 20);
    ~BufferedWriter();
    BufferedWriter(const BufferedWriter &) = delete;
    BufferedWriter &operator=(const BufferedWriter &) = delete;

    void write(const char *data, size_t size)
    {
        if (size <= m_buffer.size() - m_used) {
            std::memcpy(m_buffer.data() + m_used, data, size);
            m_used += size;
        } else {
            writeSlow(data, size);
        }
    }
    void write(const QByteArray &bytes) { write(bytes.constData(), size_t(bytes.size())); }
    void put(char c)
    {
        if (m_used == m_buffer.size())
            flush();
        m_buffer[m_used++] = c;
    }

    // Hands everything buffered to the device; false once any write failed.
    bool flush();
    bool failed() const { return m_failed; }

    // Everything generate writes, collected in memory (small outputs and
    // tests).
    static QByteArray collect(const std::function<void(BufferedWriter &)> &generate);

private:
    void writeSlow(const char *data, size_t size);
    bool writeDevice(const char *data, size_t size);

    QIODevice *m_device;
    std::vector<char> m_buffer;
    size_t m_used = 0;
    bool m_failed = false;
};

#endif // BUFFEREDWRITER_H
