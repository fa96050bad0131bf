#pragma once
// A string value with one owner that frees it when the owner goes out of scope. It can be
// moved and released, never copied. The string functions keep working on the raw value:
// Slot() hands them the variable to assign, Get() the text to read.
//
//   OwnedText folder;
//   StrAssign(folder.Slot(), typed);    // frees the previous value, as for any variable
//   path.AssignTo(folder.Slot());       // or takes a finished scratch expression
//   return folder;                      // the caller owns it now
#include "runtime/strings.h"

class OwnedText {
 public:
  OwnedText() = default;
  // Takes over a value that nobody else frees.
  explicit OwnedText(StringValue value) : value_(value) {}
  ~OwnedText() { StrFree(value_); }

  OwnedText(OwnedText&& other) noexcept : value_(other.Release()) {}
  OwnedText& operator=(OwnedText&& other) noexcept {
    if (this != &other) {
      StrFree(value_);
      value_ = other.Release();
    }
    return *this;
  }
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;

  // The text, or null for the empty text.
  const char* Get() const { return value_; }
  // The variable itself, for the functions that assign a StringValue.
  StringValue* Slot() { return &value_; }
  // Hands the value to a new owner; this one becomes the empty text.
  StringValue Release() {
    StringValue value = value_;
    value_ = nullptr;
    return value;
  }

 private:
  StringValue value_ = nullptr;
};
