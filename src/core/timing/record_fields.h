#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexa {

// The TAB-separated fields of an AMBrc record: field n is the text after the n-th TAB up to the
// next TAB or the end of the record. A field the record does not hold reads as "-1".
class AmbrcFields {
  public:
    static constexpr int MaxFields = 12;

    explicit AmbrcFields(std::string_view record);

    std::string_view field(int n) const;
    int count() const { return count_; }

  private:
    std::string_view record_;
    std::array<std::string_view, MaxFields + 1> fields_{};
    int count_ = 0; // TABs seen, at most MaxFields kept
};

// Field n of an AMBrc record on its own (the same rule as AmbrcFields).
std::string_view ambrcField(std::string_view record, int n);

// A whole decimal number as the decoder records write them: leading blanks, an optional sign,
// then digits only, within 32 bits. Nothing for any other text.
std::optional<int32_t> wholeNumber(std::string_view text);

// A decimal number with "." as the decimal point and an optional exponent, blanks around it
// allowed. Nothing for any other text, infinities and NaN included.
std::optional<double> decimalNumber(std::string_view text);

// True when the text is one or more decimal digits and nothing else.
bool allDigits(std::string_view text);

// The text of a failed whole-number conversion, shown to the operator.
std::string conversionErrorText(std::string_view text);

} // namespace vexa
