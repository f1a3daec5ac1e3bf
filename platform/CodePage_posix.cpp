#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <system_error>

// glibc's CP932 table agrees with Windows' for every convertible character. It
// differs only where it reports an error or maps more: those cases are settled
// here the way Windows settles them, so both builds give the same bytes.

namespace {

constexpr wchar_t InvalidCharacter = 0x30FB;  // Windows' default for bad 932 input

class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::system_error(errno, std::generic_category(), "iconv_open");
    }
    ~Iconv() { iconv_close(handle_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as far as it can; false when it stopped at input it rejects.
    bool convert(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return iconv(handle_, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    }

private:
    iconv_t handle_;
};

Iconv& decoder()
{
    thread_local Iconv converter("WCHAR_T", "CP932");
    return converter;
}

Iconv& encoder()
{
    thread_local Iconv converter("CP932", "WCHAR_T");
    return converter;
}

// Single bytes Windows maps and glibc rejects: 0x80, 0xA0, 0xFD-0xFF.
wchar_t windowsSingleByte(unsigned char byte)
{
    switch (byte) {
    case 0x80: return 0x0080;
    case 0xA0: return 0xF8F0;
    case 0xFD: return 0xF8F1;
    case 0xFE: return 0xF8F2;
    case 0xFF: return 0xF8F3;
    default: return 0;
    }
}

char windowsByteFor(wchar_t c)
{
    switch (c) {
    case 0x0080: return '\x80';
    case 0xF8F0: return '\xA0';
    case 0xF8F1: return '\xFD';
    case 0xF8F2: return '\xFE';
    case 0xF8F3: return '\xFF';
    default: return 0;
    }
}

// Characters glibc folds into 932 that Windows' table does not have.
bool onlyGlibcMaps(wchar_t c)
{
    switch (c) {
    case 0x00A2: case 0x00A3: case 0x00A5: case 0x00AC: case 0x2014:
    case 0x2016: case 0x203E: case 0x2212: case 0x301C:
        return true;
    default:
        return false;
    }
}

// Decodes the rejected bytes at `in` as Windows does, advancing past them.
wchar_t decodeRejected(const char*& in, const char* end)
{
    const auto byte = static_cast<unsigned char>(*in++);
    if (const wchar_t single = windowsSingleByte(byte))
        return single;
    if (CodePage::isLeadByte(byte) && in != end && *in != '\0')
        ++in;  // the unmapped pair goes as one
    return InvalidCharacter;
}

// Encodes wide[begin, end) of characters that glibc and Windows map alike,
// or not at all: those become "?".
void encodeRun(const std::wstring& wide, std::size_t begin, std::size_t end, std::string& out)
{
    if (begin == end)
        return;
    std::string buffer((end - begin) * 2, '\0');
    char* in = reinterpret_cast<char*>(const_cast<wchar_t*>(wide.data() + begin));
    std::size_t inLeft = (end - begin) * sizeof(wchar_t);
    char* outPos = buffer.data();
    std::size_t outLeft = buffer.size();
    while (!encoder().convert(in, inLeft, outPos, outLeft)) {
        *outPos++ = '?';
        --outLeft;
        in += sizeof(wchar_t);
        inLeft -= sizeof(wchar_t);
    }
    out.append(buffer.data(), outPos);
}

}  // namespace

std::wstring CodePage::toWide(const std::string& text932)
{
    std::wstring out(text932.size(), L'\0');  // never more characters than bytes
    const char* in = text932.data();
    const char* const end = in + text932.size();
    char* outPos = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size() * sizeof(wchar_t);
    while (in != end) {
        char* inPos = const_cast<char*>(in);
        std::size_t inLeft = static_cast<std::size_t>(end - in);
        const bool done = decoder().convert(inPos, inLeft, outPos, outLeft);
        in = inPos;
        if (done)
            break;
        *reinterpret_cast<wchar_t*>(outPos) = decodeRejected(in, end);
        outPos += sizeof(wchar_t);
        outLeft -= sizeof(wchar_t);
    }
    out.resize(out.size() - outLeft / sizeof(wchar_t));
    return out;
}

std::string CodePage::fromWide(const std::wstring& wide)
{
    std::string out;
    out.reserve(wide.size() * 2);
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char windowsByte = windowsByteFor(wide[i]);
        if (windowsByte == 0 && !onlyGlibcMaps(wide[i]))
            continue;
        encodeRun(wide, runStart, i, out);
        out += windowsByte != 0 ? windowsByte : '?';
        runStart = i + 1;
    }
    encodeRun(wide, runStart, wide.size(), out);
    return out;
}
