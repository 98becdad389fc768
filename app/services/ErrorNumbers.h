// The error numbers that messages show ("<class> <operation>: <number> - <text>"), in one place.
// They keep the meanings they have always had for the program's users.
#pragma once

#include <stdexcept>

namespace ErrorNumbers {

constexpr long InvalidCall = 5; // "Invalid procedure call"
constexpr long Overflow = 6;    // a number (or a field) too large for where it goes
constexpr long OutOfMemory = 7; // also: a file too large to be a data file
constexpr long SubscriptOutOfRange = 9;
constexpr long TypeMismatch = 13;   // a text that should be a number is not
constexpr long LoadingLibrary = 48; // a solver library that cannot be loaded
constexpr long Internal = 51;       // a failure the program did not expect
constexpr long BadFileNumber = 52;
constexpr long FileNotFound = 53;
constexpr long BadFileMode = 54;
constexpr long DeviceIO = 57;    // a write that did not reach the disk
constexpr long PastEnd = 62;     // input past the end of a file
constexpr long PathAccess = 75;  // a file or folder that cannot be opened
constexpr long EntryPoint = 453; // a solver library without its exports
constexpr long InvalidPicture = 481;
constexpr long PrinterError = 482;

// A failure on its way to the operation that reports it: the number the message shows and the
// text after it.
struct Failure : std::runtime_error {
    long number;
    Failure(long n, const char* text) : std::runtime_error(text), number(n) {}
};

} // namespace ErrorNumbers
