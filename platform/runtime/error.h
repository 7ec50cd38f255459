#pragma once
// The run-time error that ends the running procedure and passes to its caller.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace rt {

/// Error numbers the program and its platform raise.
enum ErrorNumber : std::int32_t {
    errInvalidCall = 5,          ///< invalid procedure call or argument
    errOverflow = 6,
    errSubscript = 9,            ///< subscript out of range
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errLoadingLibrary = 48,      ///< a library (here: the shell) could not be loaded or started
    errFileNotFound = 53,
    errObjectNotSet = 91,
    errAlreadyLoaded = 360,      ///< object already loaded
    errInvalidPropertyValue = 380,
    errReadOnlyProperty = 383,   ///< the property can't be set
    errCantCreateObject = 429,   ///< the automation server could not be reached
    errNoSuchMember = 438,       ///< object doesn't support this property or method
    errWrongArguments = 450,     ///< wrong number of arguments or invalid property assignment
    errServerUnavailable = 462,  ///< the automation server is gone (LibreOffice has ended)
    errInvalidPicture = 481,
    errPrinterInfo = 484,        ///< the printer's information could not be had
    errIndexOutOfBounds = 35600, ///< a control array's index out of bounds
    errAutomation = -2147352567, ///< the server raised an exception (0x80020009)
};

/// A failure carrying its number, the component that raised it and a readable description.
class Error : public std::runtime_error {
public:
    /// An error with number, source and description.
    Error(std::int32_t number, std::string source, std::string description);

    /// The error's number.
    std::int32_t number() const noexcept { return number_; }
    /// The name of the component that raised it.
    const std::string& source() const noexcept { return source_; }
    /// What went wrong, for a person to read.
    const std::string& description() const noexcept { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

} // namespace rt
