#include "launch/text_file_list.h"

PathText selectedTextFile;
