#include <corvane/FileSource.h>

IFileSource::~IFileSource() = default;
