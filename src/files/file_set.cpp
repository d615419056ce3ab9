#include "files/file_set.h"

FileSet fileSet;
