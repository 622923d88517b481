#pragma once
// Tests only: lets a test act between two entries of a folder deletion, where a hostile user
// would swap a folder for a link. Null in the product.

namespace SetUp {

using DeletionStepHook = void (*)();
void SetDeletionStepHook(DeletionStepHook hook);

}  // namespace SetUp
