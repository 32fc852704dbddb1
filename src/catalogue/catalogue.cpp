#include "catalogue/catalogue.h"

Catalogue::Catalogue() {
  commands.reserve(kCommandListCapacity);
  keywords.reserve(kKeywordListCapacity);
  users.reserve(kUserListCapacity);
  events.reserve(kEventsListCapacity);
  directions.reserve(kDirectionsListCapacity);
  codeBlocks.reserve(kCodeBlockCapacity);
  reference.reserve(kReferenceCapacity);
  memberNames.reserve(kMemberIndexCapacity);
  memberOwners.reserve(kMemberIndexCapacity);
}
