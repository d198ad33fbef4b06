// A small writer of JSON text on one line, in the style of the program's
// output: ", " between members and items, ": " after a key. It places the
// separators and escapes the strings; the caller says what goes where.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace veltara::reading {

// Appends a JSON string literal of well-formed UTF-8 text: quotes, backslashes
// and control characters escaped, everything else as it is.
void AppendJsonString(std::string &out, std::string_view utf8);

// Appends the plain decimal text of a number.
void AppendNumber(std::string &out, std::uint64_t number);

class JsonWriter {
public:
    explicit JsonWriter(std::string &out) : m_out(out) {}

    JsonWriter &beginObject() { return open('{'); }
    JsonWriter &endObject() { return close('}'); }
    JsonWriter &beginArray() { return open('['); }
    JsonWriter &endArray() { return close(']'); }

    // The key of the next member of the object.
    JsonWriter &key(std::string_view name)
    {
        // Separator, quotes and colon in one append (a batch writes
        // millions of keys); keys are short words.
        char buffer[64];
        std::size_t size = 0;
        if (!std::exchange(m_first[m_depth], false)) {
            buffer[size++] = ',';
            buffer[size++] = ' ';
        }
        if (name.size() > sizeof buffer - 6) {
            m_out.append(buffer, size);
            m_out.push_back('"');
            m_out.append(name);
            m_out.append("\": ");
        } else {
            buffer[size++] = '"';
            std::memcpy(buffer + size, name.data(), name.size());
            size += name.size();
            buffer[size++] = '"';
            buffer[size++] = ':';
            buffer[size++] = ' ';
            m_out.append(buffer, size);
        }
        m_keyed = true;
        return *this;
    }

    JsonWriter &string(std::string_view utf8)
    {
        separate();
        AppendJsonString(m_out, utf8);
        return *this;
    }

    // A string the program wrote itself, known to hold no character that
    // needs an escape (the chart's steps): copied as it is.
    JsonWriter &plainString(std::string_view text)
    {
        separate();
        m_out.push_back('"');
        m_out.append(text);
        m_out.push_back('"');
        return *this;
    }

    JsonWriter &number(std::uint64_t value)
    {
        separate();
        AppendNumber(m_out, value);
        return *this;
    }

    template <typename Numbers>
    JsonWriter &numbers(const Numbers &values)
    {
        beginArray();
        for (const auto value : values)
            number(static_cast<std::uint64_t>(value));
        return endArray();
    }

    // JSON text written beforehand: one value, or (`members`) one or more
    // members of the current object.
    JsonWriter &raw(std::string_view json)
    {
        separate();
        m_out.append(json);
        return *this;
    }

private:
    JsonWriter &open(char bracket)
    {
        separate();
        m_out.push_back(bracket);
        m_first[++m_depth] = true;
        return *this;
    }

    JsonWriter &close(char bracket)
    {
        m_out.push_back(bracket);
        --m_depth;
        return *this;
    }

    // The ", " before every member or item but the first; nothing between a
    // key and its value.
    void separate()
    {
        if (m_keyed) {
            m_keyed = false;
            return;
        }
        if (!m_first[m_depth])
            m_out.append(", ");
        m_first[m_depth] = false;
    }

    std::string &m_out;
    std::array<bool, 16> m_first{true};
    std::size_t m_depth = 0;
    bool m_keyed = false;
};

} // namespace veltara::reading
