#pragma once
// An application made on the stack or as a member: StackApp<Product> app;
// The loading work calls the product's virtual operations and uses its members, so it must end
// before the first destructor of the object begins. This class is final, so its destructor is
// always that first one: it asks the work to stop and waits for it, as deleting an application
// on the heap does. The product's constructors are its own.

#include "framework/app/VuroAppBase.h"

namespace Vuro {

template <class Product> class StackApp final : public Product {
public:
    using Product::Product;
    ~StackApp() override { this->StopLoadingThread(); }
};

} // namespace Vuro
