#include "ComparisonCodecs.h"

#include <lo/lo.h>

namespace comparison {

std::size_t libloEncodeFloat(char *buffer, std::size_t capacity, float value)
{
    lo_message message = lo_message_new();
    lo_message_add_float(message, value);
    std::size_t size = capacity;
    lo_message_serialise(message, "/a/b", buffer, &size);
    lo_message_free(message);
    return size;
}

std::size_t libloEncodeMixed(char *buffer, std::size_t capacity, int i, float f, const char *s)
{
    lo_message message = lo_message_new();
    lo_message_add_int32(message, i);
    lo_message_add_float(message, f);
    lo_message_add_string(message, s);
    std::size_t size = capacity;
    lo_message_serialise(message, "/a/b", buffer, &size);
    lo_message_free(message);
    return size;
}

double libloDecode(const char *data, std::size_t size)
{
    int result = 0;
    lo_message message = lo_message_deserialise(const_cast<char *>(data), size, &result);
    if (!message)
        return -1;
    double sum = double(lo_get_path(const_cast<char *>(data), ssize_t(size))[1]);
    const char *types = lo_message_get_types(message);
    lo_arg **argv = lo_message_get_argv(message);
    for (int n = 0; types[n]; ++n) {
        switch (types[n]) {
        case 'i':
            sum += argv[n]->i;
            break;
        case 'f':
            sum += argv[n]->f;
            break;
        case 's':
            sum += (&argv[n]->s)[0];
            break;
        default:
            break;
        }
    }
    lo_message_free(message);
    return sum;
}

} // namespace comparison
