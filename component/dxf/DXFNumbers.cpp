#include "component/dxf/DXFNumbers.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace DXFNumbers {

namespace {

char* Copy(char* Out, std::string_view Text)
{
    memcpy(Out, Text.data(), Text.size());
    return Out + Text.size();
}

bool IsBlank(char C)
{
    return C == ' ' || C == '\t';
}

} // namespace

char* FormatGeneral(char* Out, double Value)
{
    if (std::isnan(Value))
        return Copy(Out, "NAN");
    if (std::isinf(Value))
        return Copy(Out, Value > 0 ? "INF" : "-INF");
    if (Value == 0)
        return Copy(Out, "0");

    // The value rounded to 15 significant digits: "[-]d.ddddddddddddddde[+-]xx".
    char sci[40];
    const auto written = std::to_chars(sci, sci + sizeof sci, Value, std::chars_format::scientific, 14);
    const char* p = sci;
    const char* end = written.ptr;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[16];
    int count = 0;
    digits[count++] = *p++;
    if (*p == '.')
        for (++p; p < end && *p != 'e'; ++p)
            digits[count++] = *p;
    ++p; // the 'e'
    if (*p == '+')
        ++p;
    int exponent = 0;
    std::from_chars(p, end, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (negative)
        *Out++ = '-';
    if (exponent < -5 || exponent >= 15) {
        *Out++ = digits[0];
        if (count > 1) {
            *Out++ = '.';
            Out = Copy(Out, std::string_view(digits + 1, size_t(count - 1)));
        }
        *Out++ = 'E';
        return std::to_chars(Out, Out + 8, exponent).ptr;
    }
    if (exponent >= 0) {
        const int whole = exponent + 1;
        for (int i = 0; i < whole; ++i)
            *Out++ = i < count ? digits[i] : '0';
        if (count > whole) {
            *Out++ = '.';
            Out = Copy(Out, std::string_view(digits + whole, size_t(count - whole)));
        }
        return Out;
    }
    *Out++ = '0';
    *Out++ = '.';
    for (int i = 0; i < -exponent - 1; ++i)
        *Out++ = '0';
    return Copy(Out, std::string_view(digits, size_t(count)));
}

char* FormatFixed6(char* Out, double Value)
{
    return std::to_chars(Out, Out + kBufferSize, Value, std::chars_format::fixed, 6).ptr;
}

char* FormatInteger(char* Out, int64_t Value, int Width)
{
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, Value).ptr;
    const int length = int(end - digits);
    for (int i = length; i < Width; ++i)
        *Out++ = ' ';
    return Copy(Out, std::string_view(digits, size_t(length)));
}

std::string_view TrimBlanks(std::string_view Text)
{
    size_t first = 0;
    size_t last = Text.size();
    while (first < last && IsBlank(Text[first]))
        ++first;
    while (last > first && IsBlank(Text[last - 1]))
        --last;
    return Text.substr(first, last - first);
}

bool ParseReal(std::string_view Text, double& Value)
{
    Value = 0;
    Text = TrimBlanks(Text);
    if (!Text.empty() && Text.front() == '+')
        Text.remove_prefix(1);
    if (Text.empty())
        return false;
    // from_chars takes digits, a point, an exponent, or the words of NaN and the
    // infinities, which are refused below as not finite.
    double parsed = 0;
    const char* end = Text.data() + Text.size();
    auto result = std::from_chars(Text.data(), end, parsed, std::chars_format::general);
    if (result.ec == std::errc() && result.ptr == end) {
        if (!std::isfinite(parsed))
            return false;
        Value = parsed;
        return true;
    }
    // Without a point, the comma separates the decimals.
    if (Text.find('.') != std::string_view::npos || Text.find(',') == std::string_view::npos || Text.size() > 64)
        return false;
    char buffer[64];
    for (size_t i = 0; i < Text.size(); ++i)
        buffer[i] = Text[i] == ',' ? '.' : Text[i];
    end = buffer + Text.size();
    result = std::from_chars(buffer, end, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    Value = parsed;
    return true;
}

bool ParseInteger(std::string_view Text, int32_t& Value)
{
    Value = 0;
    Text = TrimBlanks(Text);
    if (!Text.empty() && Text.front() == '+')
        Text.remove_prefix(1);
    const char* end = Text.data() + Text.size();
    int32_t parsed = 0;
    const auto result = std::from_chars(Text.data(), end, parsed);
    if (Text.empty() || result.ec != std::errc() || result.ptr != end)
        return false;
    Value = parsed;
    return true;
}

} // namespace DXFNumbers
