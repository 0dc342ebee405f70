// Resource ids of the image-manager tests.
#pragma once

#define IDB_IMAGE_STRIP_ALPHA 501
#define IDB_IMAGE_STRIP_PLAIN 502
#define IDB_IMAGE_STRIP_PNG 503
#define IDB_IMAGE_ALPHA_ZERO 504
#define IDR_IMAGE_TOOLBAR 505
#define IDI_IMAGE_ICON 506
#define IDB_IMAGE_SHORT_PNG 507
#define IDR_IMAGE_BAD_TOOLBAR 508
