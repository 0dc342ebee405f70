// The application-framework layer: everything the toolkit and the application build on.
#pragma once

#include <windows.h>

#include <framework/assert.h>
#include <framework/object.h>
#include <framework/threadstate.h>
#include <framework/exceptions.h>
#include <framework/types.h>
#include <framework/string.h>
#include <framework/cmdtarget.h>
#include <framework/file.h>
#include <framework/archive.h>
#include <framework/oledata.h>
#include <framework/collections.h>
#include <framework/refptr.h>
