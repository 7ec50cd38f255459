#pragma once
// The private office that all tests of one process share.

#include "private_office.h"

/// The process's private office; it ends after the last test.
PrivateOffice& test_office();
