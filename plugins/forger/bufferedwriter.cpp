#include "bufferedwriter.h"

#include <QBuffer>

#include <QIODevice>

BufferedWriter::BufferedWriter(QIODevice *device, int capacity)
    : m_device(device)
    , m_buffer(size_t(capacity > 0 ? capacity : 1))
{
}

BufferedWriter::~BufferedWriter() = default;

bool BufferedWriter::flush()
{
    if (m_used > 0) {
        writeDevice(m_buffer.data(), m_used);
        m_used = 0;
    }
    return !m_failed;
}

void BufferedWriter::writeSlow(const char *data, size_t size)
{
    flush();
    if (size >= m_buffer.size()) {
        writeDevice(data, size);
        return;
    }
    std::memcpy(m_buffer.data(), data, size);
    m_used = size;
}

bool BufferedWriter::writeDevice(const char *data, size_t size)
{
    if (m_failed)
        return false;
    while (size > 0) {
        const qint64 written = m_device->write(data, qint64(size));
        if (written <= 0) {
            m_failed = true;
            return false;
        }
        data += written;
        size -= size_t(written);
    }
    return true;
}

QByteArray BufferedWriter::collect(const std::function<void(BufferedWriter &)> &generate)
{
    QByteArray result;
    QBuffer buffer(&result);
    buffer.open(QIODevice::WriteOnly);
    {
        BufferedWriter out(&buffer, 1 << 16);
        generate(out);
        out.flush();
    }
    return result;
}
