// Resource ids of the status-bar tests: indicator strings.
#pragma once

#define IDS_TEST_INDICATOR_CAPS 59137
#define IDS_TEST_INDICATOR_NUM 59138
