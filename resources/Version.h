// Product and maker names and the version, used by the version resource and the program.
#pragma once

#define LCIME_VERSION_TEXT "1.00"
#define LCIME_VERSION_NUMBERS 1, 0, 0, 0
#define LCIME_PRODUCT_NAME "LCIme"
#define LCIME_COMPANY_NAME "北京市岚辰星河软件有限公司"
