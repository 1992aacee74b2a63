#pragma once

class NSException;

// The load-time initialiser: builds the alternate tables, replaces the
// fourteen platform methods in a fixed order, installs the uncaught-exception
// logger, subscribes to the settings notification and reads the settings.
void initializeExtension();

// Logs an uncaught exception with its call stack, one line per entry.
void logUncaughtException(const NSException& exception);
