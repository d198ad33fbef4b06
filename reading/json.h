// A small writer of JSON text on one line, in the style of the program's
// output: ", " between members and items, ": " after a key. It places the
// separators and escapes the strings; the caller says what goes where.
#pragma once

#include "text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace veltara::reading {

// Appends a JSON string literal of well-formed UTF-8 text: quotes, backslashes
// and control characters escaped, everything else as it is.
void AppendJsonString(std::string &out, std::string_view utf8);

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
        m_out.append(isFirst() ? "\"" : ", \"");
        m_out.append(name);
        m_out.append("\": ");
        m_keyed = true;
        return *this;
    }

    JsonWriter &string(std::string_view utf8)
    {
        separate();
        AppendJsonString(m_out, utf8);
        return *this;
    }

    JsonWriter &number(std::uint64_t value)
    {
        separate();
        AppendNumber(m_out, value);
        return *this;
    }

    JsonWriter &null()
    {
        separate();
        m_out.append("null");
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
        m_first.push_back(1);
        return *this;
    }

    JsonWriter &close(char bracket)
    {
        m_out.push_back(bracket);
        m_first.pop_back();
        return *this;
    }

    // Whether nothing has been written yet at this level; from now on
    // something has.
    bool isFirst() { return std::exchange(m_first.back(), 0) != 0; }

    // The ", " before every member or item but the first; nothing between a
    // key and its value.
    void separate()
    {
        if (m_keyed)
            m_keyed = false;
        else if (!isFirst())
            m_out.append(", ");
    }

    std::string &m_out;
    // For the top level and each open object or array, 1 while nothing has
    // been written in it (a string holds the few levels without allocating).
    std::string m_first = std::string(1, 1);
    bool m_keyed = false;
};

} // namespace veltara::reading
