#pragma once
#include <vector>

namespace KxUtils {

/// Deletes every non-null element (through its virtual destructor) and empties the vector.
template <class T>
void Clear_Ptr_Vector(std::vector<T*>& v)
{
    for (T* p : v) delete p;
    v.clear();
}

} // namespace KxUtils
