#include "buttons/ButtonAssignmentMirror.h"

namespace {

void Put(QList<int>& list, int index, int value)
{
    if (index >= 0 && index < list.size())
        list[index] = value;
}

} // namespace

ButtonAssignmentMirror::ButtonAssignmentMirror(QList<int>& types, QList<int>& codes, QList<int>& extras)
    : m_types(types)
    , m_codes(codes)
    , m_extras(extras)
{
}

void ButtonAssignmentMirror::Store(int index, int type, int code, int extra)
{
    Put(m_types, index, type);
    Put(m_codes, index, code);
    Put(m_extras, index, extra);
}
