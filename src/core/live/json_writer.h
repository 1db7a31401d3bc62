#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// A JSON text built in order: objects, arrays, names and values are appended and the writer
// places the commas. Texts are the core's Latin-1 bytes and come out as UTF-8.
class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next value inside an object.
    JsonWriter& key(std::string_view name);
    JsonWriter& string(std::string_view latin1);
    JsonWriter& number(int64_t value);
    JsonWriter& boolean(bool value);
    // A value already written as JSON (for example a text built by another writer).
    JsonWriter& raw(std::string_view json);

    const std::string& text() const { return out_; }
    std::string take() { return std::move(out_); }

  private:
    void beforeValue();

    std::string out_;
    std::vector<bool> empty_; // per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

// A Latin-1 text as a quoted JSON string in UTF-8: quotes, backslashes and control characters
// escaped.
void appendJsonString(std::string& out, std::string_view latin1);

} // namespace vexa
