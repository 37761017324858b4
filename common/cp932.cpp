#include "cp932.h"

#include <QList>

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between UTF-8 and CP932");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of [in, in + inLeft) as it can into out; returns
    // false at a sequence it cannot convert (in then points at it).
    bool run(char*& in, size_t& inLeft, QByteArray& out)
    {
        char buffer[4096];
        while (inLeft > 0) {
            char* o = buffer;
            size_t oLeft = sizeof buffer;
            const size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
            out.append(buffer, o - buffer);
            if (r != size_t(-1))
                continue;
            if (errno == E2BIG)
                continue;
            return false;
        }
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &o, &oLeft);  // end any shift state
        out.append(buffer, o - buffer);
        return true;
    }

private:
    iconv_t cd_;
};

// The length in bytes of the UTF-8 sequence that starts with `lead`.
int utf8Length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xE)
        return 3;
    return 4;
}

}  // namespace

QByteArray toCp932(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    Converter converter("CP932", "UTF-8");
    char* in = utf8.data();
    size_t left = size_t(utf8.size());
    while (!converter.run(in, left, out)) {
        const int length = std::min<int>(utf8Length(static_cast<unsigned char>(*in)), int(left));
        const QString character = QString::fromUtf8(in, length);
        const char32_t code = character.isEmpty() ? 0xFFFD : character.toUcs4().value(0, 0xFFFD);
        out += "&#" + QByteArray::number(quint32(code)) + ';';
        in += length;
        left -= size_t(length);
    }
    return out;
}

QString fromCp932(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QByteArray utf8;
    Converter converter("UTF-8", "CP932");
    char* in = copy.data();
    size_t left = size_t(copy.size());
    while (!converter.run(in, left, utf8)) {
        utf8 += "\xEF\xBF\xBD";
        ++in;
        --left;
    }
    return QString::fromUtf8(utf8);
}
