// Resource and command ids of the application-layer test program.
#pragma once

#define IDR_TESTDOC 128
// Routed through view, document, frame and application; each records that it saw it.
#define ID_TEST_ROUTE 32800
#define ID_TEST_EDIT 32801
